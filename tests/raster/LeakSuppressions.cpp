// fontconfig 2.14 loses a few bytes while parsing its configuration files in
// FcInit; the leak checker of the sanitizer build is told to ignore them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
