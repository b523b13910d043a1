// The resource test module's only code: an entry whose address tells the
// tests which module to look resources up in.
#if defined(_WIN32)
#define RESOURCE_MODULE_API __declspec(dllexport)
#else
#define RESOURCE_MODULE_API __attribute__((visibility("default")))
#endif

extern "C" RESOURCE_MODULE_API int ResourceModuleAnchor() { return 1; }
