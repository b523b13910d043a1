/* A C program that uses the installed library as any caller would: it
 * reports the library's version and repairs one document.
 * consumer DATABASE UNID, on the local data directory (NOTES_DATA_DIR). */
#include <quendral/quendral.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: consumer DATABASE UNID\n");
    return 2;
  }
  printf("version %d.%d.%d\n", GetMajorVersion(), GetMinorVersion(), GetBuildNumber());
  const int result = FixRichTextFields("", argv[1], argv[2]);
  printf("FixRichTextFields: %d\n", result);
  return result;
}
