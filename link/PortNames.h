#pragma once
// How the operator's port names map to devices; one implementation per system.
//
// On Linux COM numbers are fixed per device name, so a listed "(COMn)" always
// opens the same device: ttyS<k> is COM<k+1>, ttyUSB<k> is COM<k+101>,
// ttyACM<k> is COM<k+201>, ttyAMA<k> is COM<k+301>, rfcomm<k> is COM<k+401>
// (k below 100). On Windows the devices are the COM ports themselves.

#include <optional>
#include <string>

namespace zeb40 {

// The device path that OpenByName opens for a name; a network port name
// ("rfc2217://host:4001", "tcp://host:4001") stays as it is.
std::string DevicePathForName(const std::string& name);

// "ttyUSB0" (or "/dev/ttyUSB0") -> 101, "COM3" -> 3; empty for devices
// outside the scheme.
std::optional<unsigned> ComNumberForDevice(const std::string& deviceName);

// 101 -> "/dev/ttyUSB0", 3 -> "\\.\COM3"; empty for numbers outside the scheme.
std::optional<std::string> DeviceForComNumber(unsigned comNumber);

} // namespace zeb40
