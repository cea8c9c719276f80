/* String resources of the test program, read by windres and by the tests alike. */
#ifndef ZINTU_TESTS_PLATFORM_WIN32_TEST_STRINGS_H
#define ZINTU_TESTS_PLATFORM_WIN32_TEST_STRINGS_H

/* Longer than any buffer a caller would guess; it must come back whole. */
#define IDS_TEST_LONG 77
#define IDS_TEST_LONG_TEXT                                                        \
  "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz-100-" \
  "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz-200-" \
  "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz-300-" \
  "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz-400-" \
  "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz-500-" \
  "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz-600-end"

#define IDS_TEST_MISSING 78

#endif
