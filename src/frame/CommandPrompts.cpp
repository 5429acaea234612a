#include "frame/CommandPrompts.h"

#include "platform/StringTable.h"

#include <cstring>

const char* CommandPrompt(unsigned command)
{
    return FindResString(command);
}

std::string CommandStatusText(unsigned command)
{
    const char* prompt = CommandPrompt(command);
    if (!prompt)
        return {};
    const char* newline = std::strchr(prompt, '\n');
    return newline ? std::string(prompt, newline) : std::string(prompt);
}

std::string CommandShortName(unsigned command)
{
    const char* prompt = CommandPrompt(command);
    const char* newline = prompt ? std::strchr(prompt, '\n') : nullptr;
    return newline ? std::string(newline + 1) : std::string();
}
