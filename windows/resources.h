#pragma once

// Identifiers of the program's resources, shared by trezolin.rc and the code.

#define IDI_TREZOLIN 1
