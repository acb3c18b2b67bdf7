// The bytes of installed face files, mapped once per process and shared by every face opened on them.
// Files are never unmapped: they are the few installed faces the program draws with.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace plexon::gdi::detail {

// The whole file, read-only; empty when it cannot be mapped (the caller then opens it by path).
// Callers hold FontLock().
std::span<const unsigned char> FaceFileBytes(const std::string& path);

}  // namespace plexon::gdi::detail
