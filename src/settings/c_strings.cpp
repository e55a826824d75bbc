#include "settings/c_strings.h"

#include <cstring>

int cStringLength(const char* s) { return s ? int(std::strlen(s)) : 0; }

void copyCString(char* dst, const char* src) {
  if (!dst) return;
  if (!src) {
    dst[0] = 0;
    return;
  }
  std::strcpy(dst, src);
}

void copyCStringN(char* dst, const char* src, int n) {
  if (!dst || n <= 0) return;
  int i = 0;
  if (src)
    for (; i < n - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
}

int compareCString(const char* a, const char* b) {
  if (!a || !b) return a == b ? 1 : 0;
  return std::strcmp(a, b) == 0 ? 1 : 0;
}

int compareCString2(const char* a, const char* b) { return compareCString(a, b); }

int hasStringInName(const char* s, const char* part) {
  if (!s || !part || !*part) return 0;
  return std::strstr(s, part) ? 1 : 0;
}

int lastPathCStringComponent(const char* path, char* out, int len) {
  if (out && len > 0) out[0] = 0;
  if (!path) return 0;
  int end = cStringLength(path);
  while (end > 0 && (path[end - 1] == '/' || path[end - 1] == '\\')) --end;
  int begin = end;
  while (begin > 0 && path[begin - 1] != '/' && path[begin - 1] != '\\') --begin;
  int n = end - begin;
  if (out && len > 0) {
    int copy = n < len - 1 ? n : len - 1;
    std::memcpy(out, path + begin, size_t(copy));
    out[copy] = 0;
    return copy;
  }
  return n;
}
