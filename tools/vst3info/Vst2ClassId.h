#pragma once
// The VST 3 class identifier a VST 2 plug-in is known by to VST 3 hosts.
#include <cstdint>
#include <string>

namespace vst3info {

// The 32 hexadecimal digits of the identifier VST 3 hosts give the audio
// effect class of a VST 2 plug-in, from its four-character unique id and its
// name: "VST" as six digits, the unique id as eight, then the first nine
// characters of the name in lower case, two digits each (zeros past its
// end). A VST 3 plug-in that lists it as an old class replaces the VST 2
// plug-in in a host's sessions.
std::string Vst2ClassIdText(int32_t uniqueId, const char* name);

}  // namespace vst3info
