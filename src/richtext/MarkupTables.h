#pragma once
// Table helpers shared by the builder's operations.
#include <string>

// Gives every Font or ColorIndex word of the text state the new number of its
// entry (newNumbers[old], count entries); false when the limit would be passed.
bool RenumberTableWords(std::string& text, int kind, const int* newNumbers, int count, int limit);
// Merges equal colour entries and equal faces; whether anything changed.
bool MergeDuplicateTableEntries(std::string& text, int limit);
