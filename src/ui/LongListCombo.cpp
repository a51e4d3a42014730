#include "ui/LongListCombo.h"

#include <QComboBox>
#include <QListView>

namespace vantrel::ui {

void prepareForLongList(QComboBox* combo, int characters)
{
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(characters);
    if (auto* list = qobject_cast<QListView*>(combo->view()))
        list->setUniformItemSizes(true);
}

} // namespace vantrel::ui
