#include "system/os_calls.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <io.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sim::os {

#if defined(_WIN32)

namespace {

// Paths are UTF-8 in the host; Windows takes them as UTF-16 with its own separator.
std::wstring widePath(const std::string& path) {
  std::string native = path;
  for (char& c : native)
    if (c == '/') c = '\\';
  if (native.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, native.data(), int(native.size()), nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, native.data(), int(native.size()), wide.data(), n);
  return wide;
}

std::string lastErrorText() {
  DWORD code = GetLastError();
  char buffer[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                           buffer, DWORD(sizeof buffer), nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text.empty() ? "system error " + std::to_string(code) : text;
}

// A name no other writer of this process or another one picks at the same time.
std::wstring uniqueSuffix(unsigned attempt) {
  return L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(GetTickCount64()) + L"." +
         std::to_wstring(attempt);
}

}  // namespace

void* loadLibrary(const std::string& path, std::string* error) {
  HMODULE library = LoadLibraryW(widePath(path).c_str());
  if (!library && error) *error = "cannot load module: " + path + ": " + lastErrorText();
  return reinterpret_cast<void*>(library);
}

void* findSymbol(void* library, const char* name) {
  if (!library || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void freeLibrary(void* library) {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
}

bool replaceFileContents(const std::string& path, std::span<const char> data, std::string& message) {
  const std::wstring target = widePath(path);
  size_t slash = target.find_last_of(L'\\');
  std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
  std::wstring base = slash == std::wstring::npos ? target : target.substr(slash + 1);
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = folder + L"." + base + L".tmp" + uniqueSuffix(attempt);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    message = "cannot create a temporary file beside it: " + lastErrorText();
    return false;
  }
  auto failWith = [&](const char* what) {
    message = std::string(what) + ": " + lastErrorText();
    CloseHandle(file);
    DeleteFileW(temporary.c_str());
    return false;
  };
  size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = DWORD(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0)
      return failWith("cannot write the temporary file");
    done += written;
  }
  if (!FlushFileBuffers(file)) return failWith("cannot flush the temporary file");
  if (!CloseHandle(file)) {
    message = "cannot close the temporary file: " + lastErrorText();
    DeleteFileW(temporary.c_str());
    return false;
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    message = "cannot replace the file: " + lastErrorText();
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::string makeUniqueFolder(const std::string& prefix) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) +
                       "-" + std::to_string(attempt);
    if (CreateDirectoryW(widePath(name).c_str(), nullptr)) return name;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

bool standardOutputIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

#else

void* loadLibrary(const std::string& path, std::string* error) {
  // RTLD_LOCAL keeps each module's symbols to itself, as the host does.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library && error) {
    const char* why = dlerror();
    *error = std::string("cannot load module: ") + (why ? why : path.c_str());
  }
  return library;
}

void* findSymbol(void* library, const char* name) {
  if (!library || !name) return nullptr;
  return dlsym(library, name);
}

void freeLibrary(void* library) {
  if (library) dlclose(library);
}

bool replaceFileContents(const std::string& path, std::span<const char> data, std::string& message) {
  size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string pattern = folder + "." + base + ".tmpXXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) {
    message = std::string("cannot create a temporary file beside it: ") + std::strerror(errno);
    return false;
  }
  auto failWith = [&](const char* what) {
    message = std::string(what) + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(name.data());
    return false;
  };
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return failWith("cannot write the temporary file");
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) return failWith("cannot flush the temporary file");
  // mkstemp creates the file 0600; keep the replaced file's mode, or use the usual 0644.
  struct stat old {};
  ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
  if (::close(fd) != 0) {
    message = std::string("cannot close the temporary file: ") + std::strerror(errno);
    ::unlink(name.data());
    return false;
  }
  if (std::rename(name.data(), path.c_str()) != 0) {
    message = std::string("cannot replace the file: ") + std::strerror(errno);
    ::unlink(name.data());
    return false;
  }
  return true;
}

std::string makeUniqueFolder(const std::string& prefix) {
  std::string pattern = prefix + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  return ::mkdtemp(name.data()) ? std::string(name.data()) : std::string();
}

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

#endif

}  // namespace sim::os
