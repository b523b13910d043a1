// The shared library's own translation unit. Its code comes whole from the
// static libraries it links; the version script keeps every symbol but the
// exported functions local.
