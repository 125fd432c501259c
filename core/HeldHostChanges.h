#pragma once
// The host's parameter changes and program switch that the audio thread
// could not take while another thread held the plug-in's lock. They wait
// here, the newest value of each parameter winning, for a later run of the
// same or a later block that gets the lock. Made at full size with the
// plug-in, so holding a change never allocates.
#include <cstddef>
#include <vector>

class HeldHostChanges {
 public:
  explicit HeldHostChanges(int parameterCount);

  void HoldValue(int index, double normalized);
  void HoldProgram(int program);
  bool Any() const { return any; }

  // Hands every held change to the plug-in, the program first, so that
  // values set after it in the host's order are not undone by it; then
  // nothing is held. Called under the plug-in's lock.
  template <class TakeProgram, class TakeValue>
  void Release(TakeProgram takeProgram, TakeValue takeValue) {
    if (!any) return;
    any = false;
    if (program >= 0) takeProgram(program);
    program = -1;
    for (size_t i = 0; i < values.size(); ++i) {
      if (!held[i]) continue;
      held[i] = false;
      takeValue(static_cast<int>(i), values[i]);
    }
  }

 private:
  std::vector<double> values;
  std::vector<bool> held;
  int program = -1;
  bool any = false;
};
