#include "office/WordProcessor.h"

#include "office/BuiltInWordProcessor.h"

namespace vantrel::office {

namespace {

std::unique_ptr<WordProcessor>& installedProgram()
{
    static std::unique_ptr<WordProcessor> program;
    return program;
}

} // namespace

WordProcessor& WordProcessor::instance()
{
    std::unique_ptr<WordProcessor>& program = installedProgram();
    if (!program)
        program = std::make_unique<BuiltInWordProcessor>();
    return *program;
}

void WordProcessor::setInstance(std::unique_ptr<WordProcessor> program)
{
    installedProgram() = std::move(program);
}

} // namespace vantrel::office
