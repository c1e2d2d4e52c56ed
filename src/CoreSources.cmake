# Sources of the platform-free core library. They never include <windows.h>.
set(QV_CORE_SOURCES
  settings/AnsiText.cpp
  settings/TextList.cpp
  settings/InitData.cpp
  settings/SettingsCodec.cpp
  shell/FileFilter.cpp
  shell/IDListBytes.cpp
  shell/WildcardMatch.cpp
  shell/FilterMatch.cpp
  shell/RowOrder.cpp
  shell/SizeText.cpp
  shell/ClipboardLayout.cpp
  app/CommandTable.cpp
  app/MenuLayout.cpp
)
list(TRANSFORM QV_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
