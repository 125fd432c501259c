#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include <lv2/atom/forge.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include "core/IPlugBase.h"
#include "lv2/EditorMessages.h"

// Binds the plug-in base to an LV2 host's user interface: a plug-in base of
// its own beside the processing one, possibly in another process, that
// holds the editor. It hears the ports' values from the host and sends the
// editor's changes back as port writes; it never reaches into the
// processing side's memory. All its calls come on the host's UI thread.
class IPlugLV2Ui : public IPlugBase {
 public:
  IPlugLV2Ui(const PlugIdentity& identity, std::span<const int> controlParams,
             LV2UI_Write_Function write, LV2UI_Controller controller,
             const LV2_Feature* const* features);

  // Opens the editor inside the host's parent window; null on failure.
  void* OpenWidget();
  // Opens the editor inside an X11 window of the user interface's own, for
  // a host that gives no parent window; null on failure.
  void* OpenWidgetIn(void* window);
  // Tells the host the editor's size, when it offers to resize to it, and
  // from here on whenever the size changes.
  void ReportSize();
  // Called with the editor's new size in pixels whenever it changes, for a
  // widget of the host's toolkit that must take it too.
  void FollowSize(std::function<void(int, int)> follower) { sizeFollower = std::move(follower); }
  void CloseWidget();
  // The host's port notification: a control value in the float protocol.
  void PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
  // The host's idle call: the editor's drawing and events. Nonzero once
  // the editor's window is gone.
  int Idle();

  // Whether messages can reach the processing side (the host maps URIDs).
  bool CanMessage() const { return urids.has_value(); }
  void SendMessage(editor_messages::Kind kind, int32_t parameter = 0);

  // The host's options interface: ui:scaleFactor is the one option taken.
  // Both answer an LV2_Options_Status.
  uint32_t SetOptions(const LV2_Options_Option* options);
  uint32_t GetOptions(LV2_Options_Option* options);

  // The editor takes the host's scale factor as soon as it is attached.
  void AttachEditor(IEditorLink* newEditor) override;
  void EditorSizeChanged() override;
  void NotifyParamValue(int index, double normalized) override;
  void BeginParameterEdit(int index) override;
  void EndParameterEdit(int index) override;

 protected:
  // The settings the processing side plays, one value per parameter (NaN
  // for none), and its live A/B slot.
  virtual void OnSettingsFromProcessing(std::span<const double>, int) {}

 private:
  // atom: known to fit the host's buffer.
  void ReadProcessingMessage(const LV2_Atom* atom);
  void WritePort(int index);
  void Touch(int index, bool grabbed);

  std::vector<int> controlParams;
  LV2UI_Write_Function write;
  LV2UI_Controller controller;
  void* parent = nullptr;
  const LV2UI_Resize* resize = nullptr;
  const LV2UI_Touch* touch = nullptr;
  void* widget = nullptr;
  std::optional<editor_messages::Urids> urids;
  // The host's ui:scaleFactor, 0 until it gives one; its URIDs, 0 when the
  // host maps none (its options then name nothing that can be read).
  float scaleFactor = 0.0f;
  LV2_URID scaleFactorKey = 0;
  LV2_URID floatType = 0;
  bool sizeReported = false;
  std::function<void(int, int)> sizeFollower;
  // Set up once with the URIDs, not for every message.
  LV2_Atom_Forge forge{};
};
