#include "tools/lv2bundle/BundleTurtle.h"

#include <cctype>
#include <cstdio>

#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/presets/presets.h>
#include <lv2/resize-port/resize-port.h>
#include <lv2/units/units.h>

#include "lv2/TovraneLv2.h"
#include "lv2/TovraneLv2Ui.h"

namespace bundle_turtle {
namespace {

constexpr const char* kBinary = "Kestravon.so";
constexpr const char* kUiBinary = "KestravonUI.so";
constexpr const char* kDescriptionFile = "Kestravon.ttl";
constexpr const char* kPresetsFile = "presets.ttl";

// The LV2 vocabularies by the names their headers give them.
constexpr const char* kPrefixes =
    "@prefix atom: <" LV2_ATOM_PREFIX "> .\n"
    "@prefix bufsz: <" LV2_BUF_SIZE_PREFIX "> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <" LV2_CORE_PREFIX "> .\n"
    "@prefix opts: <" LV2_OPTIONS_PREFIX "> .\n"
    "@prefix pset: <" LV2_PRESETS_PREFIX "> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix rsz: <" LV2_RESIZE_PORT_PREFIX "> .\n"
    "@prefix state: <" LV2_STATE_PREFIX "> .\n"
    "@prefix ui: <" LV2_UI_PREFIX "> .\n"
    "@prefix units: <" LV2_UNITS_PREFIX "> .\n"
    "@prefix urid: <" LV2_URID_PREFIX "> .\n\n";

// Numbers as the shortest decimal that reads back as the same double, in
// plain notation with a point (Turtle's decimal), so a program's 67.19 is
// written "67.19" and its 100 "100.0".
std::string Number(double value) {
  char text[64];
  for (int decimals = 0; decimals <= 17; ++decimals) {
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    double back = 0.0;
    if (std::sscanf(text, "%lf", &back) == 1 && back == value) break;
  }
  std::string number = text;
  if (number.find('.') == std::string::npos) number += ".0";
  return number;
}

std::string Quoted(const char* text) {
  std::string quoted = "\"";
  for (const char* c = text; *c; ++c) {
    if (*c == '"' || *c == '\\') quoted += '\\';
    quoted += *c;
  }
  return quoted + "\"";
}

std::string PresetUri(int index) {
  return std::string("<") + TovraneLv2::kUri + ":preset:" + std::to_string(index) + ">";
}

std::string PluginUri() { return std::string("<") + TovraneLv2::kUri + ">"; }

std::string UiUri() { return std::string("<") + TovraneLv2Ui::kUri + ">"; }

std::string Gtk3UiUri() { return std::string("<") + TovraneLv2Ui::kGtk3Uri + ">"; }

// The editor, told of every control port's value: embedded in the host's
// X11 window and driven by its idle calls, or a Gtk 3 widget that drives
// itself, which Gtk 3 hosts embed without wrapping. Either is drawn at the
// host's ui:scaleFactor, given at instantiation or set later.
std::string UiDescription() {
  constexpr const char* kScaleOption = "  opts:supportedOption ui:scaleFactor ;\n";
  std::string notifications;
  for (int i = 0; i < kControlPortCount; ++i) {
    notifications += std::string(i ? " ," : "") + "\n    [ ui:plugin " + PluginUri() +
                     " ; lv2:symbol \"" + PortSymbol(kParameterTable[kControlPortParams[i]].name) +
                     "\" ; ui:protocol ui:floatProtocol ]";
  }
  notifications += " ,\n    [ ui:plugin " + PluginUri() +
                   " ; lv2:symbol \"editor_out\" ; ui:protocol atom:eventTransfer ]";
  return UiUri() +
         "\n  a ui:X11UI ;\n"
         "  lv2:requiredFeature ui:idleInterface, ui:parent ;\n"
         "  lv2:optionalFeature ui:resize, ui:touch, opts:options ;\n"
         "  lv2:extensionData ui:idleInterface, opts:interface ;\n" + kScaleOption +
         "  ui:portNotification" + notifications + " .\n\n" + Gtk3UiUri() +
         "\n  a ui:Gtk3UI ;\n"
         "  lv2:optionalFeature ui:resize, ui:touch, ui:noUserResize, opts:options ;\n"
         "  lv2:extensionData opts:interface ;\n" + kScaleOption +
         "  ui:portNotification" + notifications + " .\n";
}

std::string AudioPort(uint32_t index, bool input, const char* symbol, const char* name) {
  return std::string("[\n    a lv2:") + (input ? "InputPort" : "OutputPort") +
         ", lv2:AudioPort ;\n    lv2:index " + std::to_string(index) + " ;\n    lv2:symbol \"" +
         symbol + "\" ;\n    lv2:name " + Quoted(name) + " ;\n  ]";
}

// The editor's messages: commands in, the settings they make out.
std::string EditorPort(uint32_t index, bool input) {
  return std::string("[\n    a lv2:") + (input ? "InputPort" : "OutputPort") +
         ", atom:AtomPort ;\n    lv2:index " + std::to_string(index) +
         " ;\n    lv2:symbol \"" + (input ? "editor_in" : "editor_out") + "\" ;\n    lv2:name \"" +
         (input ? "Editor in" : "Editor out") +
         "\" ;\n    atom:bufferType atom:Sequence ;\n    atom:supports atom:Object ;\n"
         "    lv2:designation lv2:control ;\n"
         "    lv2:portProperty lv2:connectionOptional ;\n"
         "    rsz:minimumSize 2048 ;\n  ]";
}

std::string LatencyPort() {
  return std::string("[\n    a lv2:OutputPort, lv2:ControlPort ;\n    lv2:index ") +
         std::to_string(kPortLatency) +
         " ;\n    lv2:symbol \"latency\" ;\n    lv2:name \"Latency\" ;\n"
         "    lv2:designation lv2:latency ;\n"
         "    lv2:portProperty lv2:reportsLatency, lv2:integer ;\n"
         "    lv2:minimum 0 ;\n    lv2:maximum 65536 ;\n    units:unit units:frame ;\n  ]";
}

// The whole values' names, the power switch's included.
std::string ScalePoints(const ParameterRow& row) {
  std::string points;
  auto add = [&](int value, const char* label) {
    points += std::string(points.empty() ? "" : " ,") + "\n      [ rdfs:label " + Quoted(label) +
              " ; rdf:value " + std::to_string(value) + " ]";
  };
  for (int v = 0; v < static_cast<int>(row.valueNames.size()) && row.valueNames[v]; ++v) {
    add(v, row.valueNames[v]);
  }
  return points.empty() ? "" : "    lv2:scalePoint" + points + " ;\n";
}

std::string ControlPort(uint32_t index, const ParameterRow& row, const PlugParam& param) {
  std::string port = std::string("[\n    a lv2:InputPort, lv2:ControlPort ;\n    lv2:index ") +
                     std::to_string(index) + " ;\n    lv2:symbol \"" + PortSymbol(row.name) +
                     "\" ;\n    lv2:name " + Quoted(row.name) + " ;\n    lv2:default " +
                     Number(param.Default()) + " ;\n    lv2:minimum " + Number(param.Min()) +
                     " ;\n    lv2:maximum " + Number(param.Max()) + " ;\n";
  if (row.form == ParamForm::Percent) {
    port += "    units:unit units:pc ;\n";
  } else if (row.index == kPower) {
    port += "    lv2:portProperty lv2:toggled, lv2:integer ;\n";
  } else {
    port += "    lv2:portProperty lv2:integer, lv2:enumeration ;\n";
  }
  return port + ScalePoints(row) + "  ]";
}

}  // namespace

std::string PortSymbol(const char* name) {
  std::string symbol;
  for (const char* c = name; *c; ++c) {
    const auto ch = static_cast<unsigned char>(*c);
    symbol += std::isalnum(ch) ? static_cast<char>(std::tolower(ch)) : '_';
  }
  if (symbol.empty() || std::isdigit(static_cast<unsigned char>(symbol[0]))) symbol.insert(0, "_");
  return symbol;
}

std::string Manifest(const IPlugBase& plug) {
  std::string text = kPrefixes;
  text += PluginUri() + "\n  a lv2:Plugin ;\n  lv2:binary <" + kBinary +
          "> ;\n  rdfs:seeAlso <" + kDescriptionFile + "> .\n\n" + UiUri() +
          "\n  a ui:X11UI ;\n  ui:binary <" + kUiBinary + "> ;\n  rdfs:seeAlso <" +
          kDescriptionFile + "> .\n\n" + Gtk3UiUri() + "\n  a ui:Gtk3UI ;\n  ui:binary <" +
          kUiBinary + "> ;\n  rdfs:seeAlso <" + kDescriptionFile + "> .\n";
  for (int i = 0; i < plug.NPresets(); ++i) {
    text += "\n" + PresetUri(i) + "\n  a pset:Preset ;\n  lv2:appliesTo " + PluginUri() +
            " ;\n  rdfs:label " + Quoted(plug.PresetNameAt(i)) + " ;\n  rdfs:seeAlso <" +
            kPresetsFile + "> .\n";
  }
  return text;
}

std::string PluginDescription(const IPlugBase& plug) {
  std::string ports = AudioPort(kPortInLeft, true, "in_l", "Left in") + " , " +
                      AudioPort(kPortInRight, true, "in_r", "Right in") + " , " +
                      AudioPort(kPortOutLeft, false, "out_l", "Left out") + " , " +
                      AudioPort(kPortOutRight, false, "out_r", "Right out") + " , " +
                      LatencyPort();
  for (int i = 0; i < kControlPortCount; ++i) {
    const int index = kControlPortParams[i];
    ports += " , " + ControlPort(kFirstControlPort + i, kParameterTable[index], *plug.GetParam(index));
  }
  ports += " , " + EditorPort(EditorInPort(kControlPortCount), true) + " , " +
           EditorPort(EditorOutPort(kControlPortCount), false);
  std::string text = kPrefixes;
  text += PluginUri() +
          "\n  a lv2:Plugin, lv2:SimulatorPlugin ;\n"
          "  doap:name " + Quoted(plug.EffectName()) + " ;\n"
          "  lv2:project [\n    a doap:Project ;\n    doap:name " + Quoted(plug.EffectName()) +
          " ;\n    doap:maintainer [ a foaf:Person ; foaf:name " + Quoted(plug.VendorName()) +
          " ]\n  ] ;\n"
          "  lv2:minorVersion " + std::to_string((plug.Version() >> 8) & 0xff) + " ;\n"
          "  lv2:microVersion " + std::to_string(plug.Version() & 0xff) + " ;\n"
          "  lv2:optionalFeature lv2:hardRTCapable, urid:map, opts:options ;\n"
          "  opts:supportedOption bufsz:maxBlockLength ;\n"
          "  lv2:extensionData state:interface ;\n"
          "  ui:ui " + Gtk3UiUri() + ", " + UiUri() + " ;\n"
          "  lv2:port " + ports + " .\n\n" + UiDescription();
  return text;
}

std::string Presets(IPlugBase& plug) {
  std::string text = kPrefixes;
  for (int i = 0; i < plug.NPresets(); ++i) {
    plug.LoadPreset(i);
    text += PresetUri(i) + "\n  a pset:Preset ;\n  lv2:appliesTo " + PluginUri() +
            " ;\n  rdfs:label " + Quoted(plug.PresetNameAt(i)) + " ;\n  lv2:port";
    for (int p = 0; p < kControlPortCount; ++p) {
      const PlugParam* param = plug.GetParam(kControlPortParams[p]);
      text += std::string(p ? " ," : "") + "\n    [ lv2:symbol \"" +
              PortSymbol(kParameterTable[kControlPortParams[p]].name) + "\" ; pset:value " +
              Number(param->Value()) + " ]";
    }
    text += " .\n\n";
  }
  return text;
}

}  // namespace bundle_turtle
