// Linked into every program of a sanitizer build, so the suppressions hold
// however the program is started.

extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    // libdbus keeps the message buffer of the accessibility bus connection,
    // which Qt opens at start-up, for the life of the process.
    return "leak:libdbus-1.so\n";
}
