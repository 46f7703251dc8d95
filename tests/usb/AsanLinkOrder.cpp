// umockdev-wrapper puts its preload library in front of every other, the sanitizer runtime
// included, and ASan refuses to start unless it comes first. The order is harmless here: the
// preload library wraps only file, socket and ioctl calls and hands them on with RTLD_NEXT, which
// reaches ASan's interceptors next. (Preloading libasan before libumockdev-preload works as
// well, but only without the wrapper, which always prepends its own library.) Options given in
// ASAN_OPTIONS still apply on top of this one.
#ifdef __SANITIZE_ADDRESS__
extern "C" const char* __asan_default_options() {
    return "verify_asan_link_order=0";
}
#endif
