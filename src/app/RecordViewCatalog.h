#pragma once

namespace vantrel::app {

// The record views of the navigation tree: which screen each fills, with which
// rows, under which caption and node.
void registerRecordViews();

} // namespace vantrel::app
