#pragma once

// What the plug-in needs from its editor. The graphics core implements it;
// the plug-in base, the host binding and the engine reach the editor only
// through these operations, never through its internals.
class IEditorLink {
 public:
  virtual ~IEditorLink() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // Hands a normalised parameter value to every control bound to the
  // parameter, directly or as one of its additional parameters.
  virtual void ShowNormalizedValue(int paramIndex, double normalized) = 0;
  // Creates the drawing surfaces once the editor is bound to its plug-in.
  virtual void CreateSurfaces() = 0;
  // Carries a parameter value from the host's side to the bound controls;
  // only values and dirty flags change, nothing is sent back.
  virtual void SetParameterFromHost(int paramIndex, double value, bool normalized) = 0;

  // Operations on one control, by its position in the editor's control list.
  // A greyed control is drawn faint and takes no mouse input.
  virtual void SetGreyed(int controlIndex, bool greyed) = 0;
  // Sets a text control's text; the control redraws only when it differs.
  // May be called from the audio thread: the text is copied, never kept.
  virtual void SetControlText(int controlIndex, const char* text) = 0;
  // Marks every control for redrawing without sending values back.
  virtual void MarkAllControlsChanged() = 0;

  // The scale the host or the system says the editor should be drawn at
  // (1.0 = 100 %). Whether the editor follows it is the editor's choice.
  virtual void SetHostScale(double /*factor*/) {}
  // For hosts that let the user drag the window's corner: the largest size
  // the editor takes that fits in width x height (never below its smallest),
  // and that size taken as the editor's new scale. TakeWindowSize returns
  // whether the size given was one the editor takes exactly.
  virtual void ConstrainSize(int* /*width*/, int* /*height*/) const {}
  virtual bool TakeWindowSize(int /*width*/, int /*height*/) { return false; }

  // The window inside the host's parent window: a handle, or null on failure.
  virtual void* OpenEditorWindow(void* parent) = 0;
  virtual void CloseEditorWindow() = 0;
  // The host's editor-idle call, many times a second on its user-interface
  // thread; window layers without a timer of their own do their work here.
  virtual void Idle() {}
  // The file descriptor the open window's events arrive on, for a host loop
  // that watches it and calls Idle as soon as it is readable, so input is
  // handled without waiting for the next idle call; -1 when no window is open
  // or the window layer takes its events from a message loop of its own.
  virtual int EventFileDescriptor() const { return -1; }
};
