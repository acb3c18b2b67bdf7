// PLEXON_ADDRESS_SANITIZER is 1 in builds with AddressSanitizer, whichever compiler made them (GCC
// says so with __SANITIZE_ADDRESS__, older Clang only through __has_feature). Such builds cannot limit
// a process's address space and keep their own allocator's limits instead.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define PLEXON_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLEXON_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef PLEXON_ADDRESS_SANITIZER
#define PLEXON_ADDRESS_SANITIZER 0
#endif
