#pragma once

#include <atomic>
#include <memory>

#include "editor/TextMailbox.h"

// Fixed mailboxes through which host and audio threads pass parameter
// values, greyed states and texts to the editor's thread: posting never
// allocates, locks or touches a control; the editor thread takes what was
// posted and applies it to the controls itself.
class HostHandOff {
 public:
  HostHandOff(int nParams, int nControls);

  int NParams() const { return nParams; }
  int NControls() const { return nControls; }

  // Indexes outside the mailboxes are ignored; a newer post replaces an
  // untaken one.
  void PostValue(int paramIndex, double normalized);
  bool TakeValue(int paramIndex, double* normalized);
  void PostGreyed(int controlIndex, bool greyed);
  bool TakeGreyed(int controlIndex, bool* greyed);
  void PostText(int controlIndex, const char* text);
  bool TakeText(int controlIndex, char* out);
  // A request to redraw every control.
  void PostMarkAll() { markAll.store(true, std::memory_order_release); }
  bool TakeMarkAll() { return markAll.exchange(false, std::memory_order_acq_rel); }

 private:
  struct ValueSlot {
    std::atomic<double> value{0.0};
    std::atomic<bool> pending{false};
  };
  // 0 nothing posted, 1 restore, 2 grey.
  struct ControlSlot {
    std::atomic<int> greyRequest{0};
    TextMailbox text;
  };

  int nParams;
  int nControls;
  std::unique_ptr<ValueSlot[]> values;
  std::unique_ptr<ControlSlot[]> controls;
  std::atomic<bool> markAll{false};
};
