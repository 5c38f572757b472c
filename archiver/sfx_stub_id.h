/* The resource id of the self-extracting program inside UNLHA32.DLL (read by windres and C++). */
#pragma once

#define UNLHA32_SFX_STUB 100
