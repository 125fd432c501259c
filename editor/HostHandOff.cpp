#include "editor/HostHandOff.h"

namespace {

constexpr int kNoGreyRequest = 0;
constexpr int kRestoreRequest = 1;
constexpr int kGreyRequest = 2;

}  // namespace

HostHandOff::HostHandOff(int nParams, int nControls)
    : nParams(nParams > 0 ? nParams : 0),
      nControls(nControls > 0 ? nControls : 0),
      values(std::make_unique<ValueSlot[]>(static_cast<std::size_t>(this->nParams))),
      controls(std::make_unique<ControlSlot[]>(static_cast<std::size_t>(this->nControls))) {}

void HostHandOff::PostValue(int paramIndex, double normalized) {
  if (paramIndex < 0 || paramIndex >= nParams) return;
  ValueSlot& slot = values[paramIndex];
  slot.value.store(normalized, std::memory_order_relaxed);
  slot.pending.store(true, std::memory_order_release);
}

bool HostHandOff::TakeValue(int paramIndex, double* normalized) {
  if (paramIndex < 0 || paramIndex >= nParams) return false;
  ValueSlot& slot = values[paramIndex];
  if (!slot.pending.exchange(false, std::memory_order_acq_rel)) return false;
  // A post racing with this take leaves pending set again, so its value is
  // applied once more on the next drain at worst.
  *normalized = slot.value.load(std::memory_order_relaxed);
  return true;
}

void HostHandOff::PostGreyed(int controlIndex, bool greyed) {
  if (controlIndex < 0 || controlIndex >= nControls) return;
  controls[controlIndex].greyRequest.store(greyed ? kGreyRequest : kRestoreRequest,
                                           std::memory_order_release);
}

bool HostHandOff::TakeGreyed(int controlIndex, bool* greyed) {
  if (controlIndex < 0 || controlIndex >= nControls) return false;
  const int request =
      controls[controlIndex].greyRequest.exchange(kNoGreyRequest, std::memory_order_acq_rel);
  if (request == kNoGreyRequest) return false;
  *greyed = request == kGreyRequest;
  return true;
}

void HostHandOff::PostText(int controlIndex, const char* text) {
  if (controlIndex < 0 || controlIndex >= nControls) return;
  controls[controlIndex].text.Post(text);
}

bool HostHandOff::TakeText(int controlIndex, char* out) {
  if (controlIndex < 0 || controlIndex >= nControls) return false;
  return controls[controlIndex].text.Take(out);
}
