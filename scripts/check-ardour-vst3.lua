-- Kestravon's VST 3 plug-in on a track of Ardour's headless session tool, on
-- the dummy audio backend (its process thread runs the session; its input is
-- silence, so whatever the track's meter shows comes from the plug-in).
--   ardour7-lua check-ardour-vst3.lua create SESSION_DIR RATE LATENCY
--     a new session at RATE: the plug-in's parameters, latency, sound,
--     bypass and programs as Ardour sees them; then saved with Wow set
--   ardour7-lua check-ardour-vst3.lua reload SESSION_DIR LATENCY
--     the saved session again: the plug-in restored with its Wow, and playing
-- Any failure stops the tool with an error, which makes its status non-zero.

local mode, session_dir, rate_or_latency, latency_arg = arg[1], arg[2], arg[3], arg[4]
local session_name = "kestravon"
local track_name = "Kestravon"
local saved_wow = 77
local named_settings = 18

local function check(ok, message)
  if not ok then error("check-ardour-vst3: " .. message, 0) end
end

local function start_dummy_engine()
  local backend = AudioEngine:set_backend("None (Dummy)", "", "")
  check(backend ~= nil, "Ardour has no dummy audio backend")
  backend:set_input_device_name("Silence")
end

-- Ardour's index of each parameter, by the name it shows.
local function parameters_by_name(plugin)
  local count = plugin:parameter_count()
  local by_name, names = {}, {}
  for i = 0, count - 1 do
    local name = plugin:parameter_label(i)
    check(by_name[name] == nil, "two parameters are named " .. name)
    by_name[name] = i
    names[#names + 1] = name
  end
  print(string.format("Ardour shows %d parameters: %s", count, table.concat(names, ", ")))
  check(count == named_settings,
        string.format("Ardour shows %d parameters, not the %d named settings", count, named_settings))
  return by_name
end

local function plugin_on(track)
  local processor = track:nth_plugin(0)
  check(not processor:isnil(), "the track has no plug-in")
  local insert = processor:to_insert()
  local plugin = insert:plugin(0)
  check(plugin:name() == "Kestravon", "the track's plug-in is " .. plugin:name())
  return insert, plugin, parameters_by_name(plugin)
end

local function get(insert, index)
  return (ARDOUR.LuaAPI.get_plugin_insert_param(insert, index, true))
end

local function set(insert, index, value)
  check(ARDOUR.LuaAPI.set_plugin_insert_param(insert, index, value), "Ardour refused a parameter value")
end

-- The louder channel's peak (dBFS) over the next few hundred milliseconds.
local function peak_db(track)
  local meter = track:peak_meter()
  meter:reset_max()
  ARDOUR.LuaAPI.usleep(400000)
  return math.max(meter:meter_level(0, ARDOUR.MeterType.MeterPeak),
                  meter:meter_level(1, ARDOUR.MeterType.MeterPeak))
end

local function check_latency(insert, expected)
  local latency = insert:signal_latency()
  print(string.format("latency at %d Hz: %d samples", Session:nominal_sample_rate(), latency))
  check(latency == expected, string.format("Ardour reports a latency of %d, not %d", latency, expected))
end

-- Hiss from silence with Noise amp up; nothing with Power off (the plug-in
-- bypassed passes the silent input); hiss again with Power on.
local function check_sound(track, insert, by_name)
  local quiet = peak_db(track)
  set(insert, by_name["Noise amp"], 100)
  local hiss = peak_db(track)
  set(insert, by_name["Power"], 1)
  local bypassed = peak_db(track)
  set(insert, by_name["Power"], 0)
  local again = peak_db(track)
  print(string.format("peak dBFS: Noise amp 0 %.1f, Noise amp 100 %.1f, Power off %.1f, Power on %.1f",
                      quiet, hiss, bypassed, again))
  check(hiss > -60 and hiss > quiet + 20, "the plug-in's hiss does not reach the track's output")
  check(bypassed < -80, "with Power off the plug-in still adds to the silent input")
  check(again > -60, "with Power on again the plug-in stays silent")
end

-- Ardour lists the factory programs as presets and loads one through the
-- plug-in's program parameter; the settings Ardour shows follow it.
local function check_program(plugin, insert, by_name)
  local preset = plugin:preset_by_label("Kestravon tape")
  check(preset ~= nil and preset.valid, "Ardour lists no preset \"Kestravon tape\"")
  local before = get(insert, by_name["Wow"])
  check(plugin:load_preset(preset), "Ardour could not load the program \"Kestravon tape\"")
  ARDOUR.LuaAPI.usleep(200000)
  local after = get(insert, by_name["Wow"])
  print(string.format("program %s (%s): Wow %.2f -> %.2f", preset.label, preset.uri, before, after))
  check(plugin:last_preset().label == "Kestravon tape", "Ardour did not keep the loaded program")
  check(after ~= before, "loading a program left the parameters Ardour shows as they were")
end

-- The settings Ardour shows for the two lists: values 0 to the step count.
local function check_lists(plugin, by_name)
  for name, steps in pairs({["Profile"] = 3, ["Noise type"] = 4}) do
    local descriptor = ARDOUR.ParameterDescriptor()
    local _, refs = plugin:get_parameter_descriptor(by_name[name], descriptor)
    check(refs[2].upper == steps, string.format("%s goes up to %s, not %d", name, refs[2].upper, steps))
  end
end

local function create(rate, latency)
  check(create_session(session_dir, session_name, rate) ~= nil, "Ardour could not create a session")
  local track = Session:new_audio_track(2, 2, nil, 1, track_name, ARDOUR.PresentationInfo.max_order,
                                        ARDOUR.TrackMode.Normal, true):front()
  local processor = ARDOUR.LuaAPI.new_plugin(Session, "Kestravon", ARDOUR.PluginType.VST3, "")
  check(not processor:isnil(), "Ardour could not make the Kestravon VST 3 plug-in")
  check(track:add_processor_by_index(processor, 0, nil, true) == 0, "the track refused the plug-in")
  local insert, plugin, by_name = plugin_on(track)
  check_lists(plugin, by_name)
  check_latency(insert, latency)
  check_sound(track, insert, by_name)
  check_program(plugin, insert, by_name)
  set(insert, by_name["Wow"], saved_wow)
  check(Session:save_state("", false, false, false, false, false) == 0, "Ardour could not save the session")
end

local function reload(latency)
  check(load_session(session_dir, session_name) ~= nil, "Ardour could not load the saved session")
  local track = Session:route_by_name(track_name)
  check(not track:isnil(), "the saved session has no track " .. track_name)
  local insert, _, by_name = plugin_on(track)
  local wow = get(insert, by_name["Wow"])
  print(string.format("reloaded: Wow %.2f", wow))
  check(math.abs(wow - saved_wow) < 0.01, "the reloaded plug-in lost its Wow")
  check_latency(insert, latency)
  check_sound(track, insert, by_name)
end

start_dummy_engine()
if mode == "create" then
  create(tonumber(rate_or_latency), tonumber(latency_arg))
elseif mode == "reload" then
  reload(tonumber(rate_or_latency))
else
  check(false, "usage: check-ardour-vst3.lua create SESSION_DIR RATE LATENCY | reload SESSION_DIR LATENCY")
end
print("check-ardour-vst3: " .. mode .. " passed")
