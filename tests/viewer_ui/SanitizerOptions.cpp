// WebEngine's Chromium frees through base types of another size and leaks at exit,
// inside the library; AddressSanitizer's checks stay on for everything else.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0:detect_leaks=0";
}
