// A shared library without a VST 2 entry point.
extern "C" __attribute__((visibility("default"))) int NotAPlugin() { return 1; }
