#include "platform/windows_names.h"

#include "platform/text.h"

namespace cartulon {

std::string WindowsDeviceName(std::string_view name) {
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  const std::string upper = AsciiUpper(name);
  for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
    if (upper == device) return upper;
  }
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
      upper[3] >= '1' && upper[3] <= '9') {
    return upper;
  }
  return {};
}

std::string WindowsNameProblem(std::string_view name) {
  if (name == "." || name == "..") return {};
  if (const std::string device = WindowsDeviceName(name); !device.empty()) {
    return "is the device name " + device + " on Windows, which opens the device, not this entry";
  }
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
    return std::string("ends in a ") + (name.back() == '.' ? "dot" : "space") +
           ", which Windows drops from a name it opens, so it opens another entry or none";
  }
  return {};
}

}  // namespace cartulon
