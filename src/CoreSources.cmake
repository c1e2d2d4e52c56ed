# Sources of the platform-free core library (src/core). They never include
# <windows.h>; they build for the program and natively for the host tests.
set(QV_CORE_SOURCES
  core/settings/AnsiText.cpp
  core/settings/TextList.cpp
  core/settings/InitData.cpp
  core/settings/SettingsCodec.cpp
  core/settings/WindowRecord.cpp
  core/shell/FileFilter.cpp
  core/shell/IDListBytes.cpp
  core/shell/WildcardMatch.cpp
  core/shell/FilterMatch.cpp
  core/shell/RowOrder.cpp
  core/shell/SizeText.cpp
  core/shell/ClipboardLayout.cpp
  core/shell/DeviceText.cpp
  core/shell/MergePlan.cpp
  core/shell/PathText.cpp
  core/shell/VirtualItems.cpp
  core/shell/AddressText.cpp
  core/commands/CommandTable.cpp
  core/commands/MenuLayout.cpp
  core/dialogs/NameText.cpp
  core/dialogs/RenamePattern.cpp
  core/dialogs/RenamePlan.cpp
  core/dialogs/SequenceFolders.cpp
  core/dialogs/DateParts.cpp
  core/dialogs/FilterRules.cpp
  core/dialogs/TreeWalk.cpp
  core/viewer/ViewGeometry.cpp
  core/viewer/GrxRecords.cpp
  core/viewer/DibLayout.cpp
  core/viewer/BmpReader.cpp
  core/viewer/SusieLayout.cpp
  core/viewer/PeImage.cpp
  core/viewer/RasterActionRules.cpp
)
list(TRANSFORM QV_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
