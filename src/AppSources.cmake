# Platform-facing sources of the program (Win32, common controls, shell).
set(QV_GUI_SOURCES
  gui/Action.cpp
  gui/MessageBox.cpp
  gui/MessageLoop.cpp
  gui/Panel.cpp
  gui/Splitter.cpp
  gui/Strings.cpp
  gui/Window.cpp
)
set(QV_APP_SOURCES
  settings/SettingsFile.cpp
  shell/DataItem.cpp
  shell/FileItem.cpp
  shell/FolderDialog.cpp
  shell/FileList.cpp
  shell/IDList.cpp
  shell/ShellHelpers.cpp
  shell/ShellListView.cpp
  shell/ShellListViewDisplay.cpp
  shell/ShellTreeView.cpp
  shell/ShIDList.cpp
  shell/ShellCommand.cpp
  shell/ShellClipboard.cpp
  controls/NoWheelComboBox.cpp
  app/FolderWindow.cpp
  app/FontData.cpp
  app/ImageLists.cpp
  app/MainForm.cpp
  app/MainFormCommands.cpp
  app/MainFormLayout.cpp
  app/MainFormWorkspace.cpp
  app/MenuBuilder.cpp
  app/Program.cpp
)
list(TRANSFORM QV_GUI_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
list(TRANSFORM QV_APP_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
