// Byte-string helpers for map and item names (NUL-terminated, no encoding assumed).
#pragma once
#include <cstddef>

// Number of bytes before the terminator; 0 for a null pointer.
int cStringLength(const char* s);
// Plain copy, dst must be large enough.
void copyCString(char* dst, const char* src);
// Copies at most n - 1 bytes and terminates; n = 1 gives an empty string, n <= 0 writes
// nothing. A null src gives an empty string.
void copyCStringN(char* dst, const char* src, int n);
// 1 when equal (two null pointers are equal), else 0.
int compareCString(const char* a, const char* b);
int compareCString2(const char* a, const char* b);
// 1 when the non-empty part occurs in s.
int hasStringInName(const char* s, const char* part);
// Copies the last component of path (separators '/' and '\\', trailing separators
// ignored) into out (at most len - 1 bytes, terminated) and returns its length.
int lastPathCStringComponent(const char* path, char* out, int len);
