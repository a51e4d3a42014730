#pragma once

class QComboBox;

namespace vantrel::ui {

// Readies a drop-down that may list a whole customer base (100,000 names): it
// takes the width of `characters` characters instead of measuring every name
// when it is laid out, and its list lays out only the lines in view.
void prepareForLongList(QComboBox* combo, int characters);

} // namespace vantrel::ui
