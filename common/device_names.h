// Names that Windows gives to devices in every folder.
#pragma once

#include <string>
#include <string_view>

namespace rain {

// The last component of `path` is a Windows device name: CON, PRN, AUX, NUL,
// COM1 to COM9 or LPT1 to LPT9, in any letter case, with or without an
// extension (Windows ignores everything from the first "." and trailing
// blanks), after any folder or drive.
bool names_windows_device(std::string_view path);

// Throws the one-line refusal of an output name that names a device on this
// system (platform::is_reserved_device_name): writing to it would lose the
// output without a word.
void refuse_device_as_output(const std::string& path);

}  // namespace rain
