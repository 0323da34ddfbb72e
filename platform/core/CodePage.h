#pragma once

#include <string>

// Code pages (DESIGN.md 2.1-2.2). Texts inside the process are UTF-8; real
// code-page bytes appear only at the edges (legacy files), converted here with
// iconv.

constexpr int CP_ACP = 0;  // the ANSI code page of the process: UTF-8 here
constexpr int CP_OEMCP = 1;  // taken as the ANSI code page too
constexpr int CP_437 = 437;
constexpr int CP_GBK = 936;
constexpr int CP_BIG5 = 950;
constexpr int CP_UTF16LE = 1200;
constexpr int CP_UTF16BE = 1201;
constexpr int CP_1252 = 1252;
constexpr int CP_UTF8 = 65001;

// The ANSI code page of process texts: always 65001.
int GetACP();

// The system code page, from the locale: the first set of LC_ALL, LC_CTYPE,
// LANG; zh_CN / zh_SG give 936, zh_TW / zh_HK / zh_MO give 950, anything else
// 1252. A positive number in TANDREL_SYSTEM_CODEPAGE overrides it.
int GetSystemCodePage();

// True for the code pages the conversions below know: 0 and 1 (the ANSI code
// page), 437, 936, 950, 1200, 1201, 1252, 65001.
bool IsCodePageKnown(int CodePage);

// UTF-8 text to the bytes of CodePage. A character the code page cannot hold,
// and a malformed UTF-8 byte, become "?". An unknown code page converts as the
// ANSI code page does: the text comes back unchanged.
std::string UnicodeToCodePageBytes(const std::string& Utf8, int CodePage);

// Bytes of CodePage to UTF-8 text. A byte sequence that is not a character of
// the code page becomes "?" (one per bad byte; a sequence cut off at the end
// gives one "?"). An unknown code page, and 65001, return the bytes unchanged.
std::string CodePageBytesToUnicode(const std::string& Bytes, int CodePage);

// The length of a text in a double-byte code page: 1 per ASCII character, 2 per
// other character (a malformed UTF-8 byte counts as one other character).
int DoubleByteLength(const std::string& Utf8);
