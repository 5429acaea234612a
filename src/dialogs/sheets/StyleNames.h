#pragma once
// Names proposed for new and copied styles: the style libraries hold names
// of at most 30 characters, so a proposal is cut to that, keeping its
// trailing number, and counted up until no style has it.
#include <functional>
#include <string>

constexpr size_t kMaxStyleName = 30;

// The name cut to the limit; a trailing " <number>" survives the cut.
std::string CutStyleName(const std::string& name);
// The name (cut) or, while `exists` says it is taken, the name with its
// trailing number counted up.
std::string ProposeUniqueStyleName(const std::string& name, const std::function<bool(const std::string&)>& exists);
