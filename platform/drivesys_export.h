#pragma once
// Symbols of the shared library are hidden by default; DRIVESYS_API marks what a host may use.
#if defined(DRIVESYS_BUILDING)
#define DRIVESYS_API __attribute__((visibility("default")))
#else
#define DRIVESYS_API __attribute__((visibility("default")))
#endif
#define DRIVESYS_LOCAL __attribute__((visibility("hidden")))
