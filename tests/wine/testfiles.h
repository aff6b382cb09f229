#ifndef APPINSTALLER_TESTS_WINE_TESTFILES_H
#define APPINSTALLER_TESTS_WINE_TESTFILES_H

#include <string>
#include <vector>

// File helpers of the Windows test programs. Paths are absolute with a drive letter;
// every helper reaches below MAX_PATH through the "\\?\" form.

std::wstring extendedPath(const std::wstring &path);

bool makeDirectory(const std::wstring &path);
bool writeFile(const std::wstring &path, const std::string &content);
bool exists(const std::wstring &path);
bool setAttributes(const std::wstring &path, unsigned long attributes);

// Every entry below directory as "relative path|attributes", sorted, without entering
// reparse points, so that comparing two listings shows any change to the tree.
std::vector<std::wstring> listTree(const std::wstring &directory);
bool hasReparsePointBelow(const std::wstring &directory);

// The text in the ANSI code page, as the product's code hands names to the process check.
std::string toAnsi(const std::wstring &text);
std::wstring fromAnsi(const std::string &text);

std::wstring ownExecutablePath();
std::wstring fileNameOf(const std::wstring &path);

// Wine presents Unix symbolic links as reparse points but can create none itself.
bool runsUnderWine();

#endif
