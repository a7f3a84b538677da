#pragma once
// How the operator's port names map to Linux devices.
//
// COM numbers are fixed per device name, so a listed "(COMn)" always opens the
// same device: ttyS<k> is COM<k+1>, ttyUSB<k> is COM<k+101>, ttyACM<k> is
// COM<k+201>, ttyAMA<k> is COM<k+301>, rfcomm<k> is COM<k+401> (k below 100).

#include <optional>
#include <string>

namespace zeb40 {

// The device path that OpenByName opens for a name.
std::string DevicePathForName(const std::string& name);

// "ttyUSB0" (or "/dev/ttyUSB0") -> 101; empty for devices outside the scheme.
std::optional<unsigned> ComNumberForDevice(const std::string& deviceName);

// 101 -> "/dev/ttyUSB0"; empty for numbers outside the scheme.
std::optional<std::string> DeviceForComNumber(unsigned comNumber);

} // namespace zeb40
