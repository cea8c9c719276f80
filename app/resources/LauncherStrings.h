/* The launcher's string table: one source for the Windows resource script and for the
   table linked into the program off Windows. Plain C preprocessor only, so that windres
   reads it too. UTF-8; windres is run with code page 65001. */
#ifndef ZINTU_APP_RESOURCES_LAUNCHER_STRINGS_H
#define ZINTU_APP_RESOURCES_LAUNCHER_STRINGS_H

#define IDS_LAUNCH_FAILED 1

#define IDS_LAUNCH_FAILED_TEXT                                  \
  "启动失败。\r\n\r\n"                                          \
  "原因：这个文件夹不存在啊，您是把它移到别的地方了吧:：%s\r\n\r\n" \
  "建议：您用安装版吧，这个绿色免安装版搞起来是麻烦了点，海涵。"

#define IDI_LAUNCHER 128

#endif
