#pragma once
// Run-time loading of the HID services for the device controller. The
// backend in use (platform/hid) loads the udev library with every entry point
// it needs, all or nothing; here that outcome decides whether the controller
// can list devices at all. Without it the controller still exists, lists
// nothing and raises nothing, and the rest of the program works.
//
// Loading is counted: each successful LoadHid needs one UnloadHid, and the
// services are released when the last user lets go. Every call is safe from
// any thread, but the controller makes them on the user-interface thread.

#include <memory>

#include "platform/hid/HidBackend.h"

// Takes the backend in use (made on first use) and keeps it when it offers
// HID enumeration. False, with nothing kept and the count unchanged, when it
// does not.
bool LoadHid();
// Undoes one successful LoadHid; nothing when nothing is loaded.
void UnloadHid();
bool IsHidLoaded();
// The loaded backend; null when nothing is loaded. Holders keep it alive
// past UnloadHid, so a device's read thread never outlives the services it
// reads through.
std::shared_ptr<HidBackend> LoadedHidBackend();
