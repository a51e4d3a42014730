#include "ui/ProgramEnd.h"

namespace vantrel::ui {

ProgramEnd* ProgramEnd::instance()
{
    static ProgramEnd* end = new ProgramEnd;
    return end;
}

void ProgramEnd::request()
{
    emit instance()->requested();
}

} // namespace vantrel::ui
