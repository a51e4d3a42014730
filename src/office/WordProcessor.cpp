#include "office/WordProcessor.h"

namespace vantrel::office {

namespace {

std::unique_ptr<WordProcessor>& installedProgram()
{
    static std::unique_ptr<WordProcessor> program;
    return program;
}

WordProcessor::Factory& defaultFactory()
{
    static WordProcessor::Factory factory;
    return factory;
}

} // namespace

WordProcessor& WordProcessor::instance()
{
    std::unique_ptr<WordProcessor>& program = installedProgram();
    if (!program) {
        if (!defaultFactory())
            qFatal("No WordProcessor is installed");
        program = defaultFactory()();
    }
    return *program;
}

void WordProcessor::setDefaultFactory(Factory factory)
{
    defaultFactory() = std::move(factory);
}

void WordProcessor::setInstance(std::unique_ptr<WordProcessor> program)
{
    installedProgram() = std::move(program);
}

} // namespace vantrel::office
