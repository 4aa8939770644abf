#pragma once

namespace fathomer {

// The device's six controls. Whatever works them (keys, mouse, game controllers) is turned into
// these by the front-end; the game never sees a key.
enum class DeviceControl { Power, Up, Left, Right, Down, Fire };
inline constexpr int kDeviceControlCount = int(DeviceControl::Fire) + 1;

}  // namespace fathomer
