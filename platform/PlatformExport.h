#pragma once

// The platform is one shared library per process, so its loop, screen and component registry
// exist once however many libraries are loaded. Everything in it is hidden unless a header marks
// it as part of the library's face with this macro.
#define ORVEL_PLATFORM_API __attribute__((visibility("default")))
