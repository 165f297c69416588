// A Mouse class and a root-enumerated wheel mouse in Wine's registry, for
// the tests that run the driver installation against Wine's own SetupAPI.
#pragma once

#include <windows.h>

#include <string>

inline constexpr GUID MOUSE_CLASS_GUID = {0x4d36e96f, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
inline constexpr char MOUSE_CLASS_KEY[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e96f-e325-11ce-bfc1-08002be10318}";
inline constexpr char WHEEL_MOUSE_NAME[] = "QXZ0005_-_MICROSOFT_SERIAL_MOUSE_WITH_WHEEL";

// The instance key that register_root_mouse() makes in a prefix without
// other instances of the device.
std::string first_wheel_mouse_instance();

// Registers the Mouse class by its class key, marked as the tests' own.
void register_mouse_class();

// Registers ROOT\QXZ0005_..._WITH_WHEEL\<next number> with the description
// "Wheel mouse" through the system's SetupAPI.
void register_root_mouse();

// Deletes the device's keys and the Mouse class if a test registered it.
// Wine's prefix has no class of its own, so a class key that a test did
// not mark is left for the caller to notice.
void remove_test_devices();
