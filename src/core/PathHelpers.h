#pragma once
// File paths as stored in diagrams and settings: Windows-1252 text in Windows
// form ("C:\dir\file.kvd", "\\server\share\...") or POSIX form ("/home/...").
// Both '\' and '/' separate folders; results keep the separator style of the
// base path they are built from.
#include <string>

// Drive and folder with the trailing separator ("C:\dir\"), or empty.
std::string GetPathFolder(const std::string& path);
// File name with its extension.
std::string GetPathFileName(const std::string& path);
// File name without its extension.
std::string GetPathTitle(const std::string& path);
// Extension without its dot, upper-cased ("KVD"); empty without a dot.
std::string GetPathExt(const std::string& path);
// Rewrites the path as folder + title + "." + extension.
void ChangePathExt(std::string& path, const std::string& extension);

// True for "X:\...", "\\server..." (either separator) and "/...".
bool IsAbsolutePath(const std::string& path);
// True when both folders are equal (ignoring case for Windows paths).
bool IsSameFolder(const std::string& a, const std::string& b);

// The target relative to the folder of the base file: its name when they share
// the folder, else "..\" per folder to climb and the rest ("./"-style for a
// base in POSIX form). False, with the target unchanged in out, when there is
// no relative form (empty path, different drives or roots).
bool MakeRelativePath(const std::string& baseFile, const std::string& target, std::string& out);
// The relative path resolved against the folder of the base file. False, with
// the path unchanged in out, when it is empty or absolute or there is no base
// folder.
bool ResolveRelativePath(const std::string& baseFile, const std::string& relative,
                         std::string& out);
