// Port names: the program speaks of ports as "COM1" … "COM100"; this module
// says which device each name stands for.
//
//  1. A name beginning with "/" is a device path and is used as given.
//  2. "COMn" (any letter case, n = 1 … 100) is looked up in the ports
//     directory: $DAXO_PORT_DIR, or else $XDG_CONFIG_HOME/DAXO/ports (with
//     ~/.config for an unset XDG_CONFIG_HOME). An entry named "COMn" there,
//     usually a symbolic link to a device, wins.
//  3. Otherwise the fixed default table applies:
//        COM1  … COM4   ->  /dev/ttyS0   … /dev/ttyS3
//        COM5  … COM20  ->  /dev/ttyUSB0 … /dev/ttyUSB15
//        COM21 … COM36  ->  /dev/ttyACM0 … /dev/ttyACM15
//     and COM37 … COM100 have no default device. With the environment
//     variable DAXO_NO_DEFAULT_PORTS set (non-empty) the table is not used:
//     only the ports directory names ports.
//  Anything else names no device: the empty path, which never opens.
#pragma once

#include <string>

// The ports directory in force now (it follows the environment).
std::string PortDirectory();

// The device path for `name`, or "" when the name stands for no device.
std::string ResolvePortName(const std::string& name);

// n for a name "COMn" (any letter case) with n in 1 … 100, else 0.
int ComPortNumber(const std::string& name);

// The device of "COMn" in the default table, or "" (no directory lookup).
std::string DefaultPortDevice(int n);
