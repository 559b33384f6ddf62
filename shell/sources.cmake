# The plug-in's sources and include folders, relative to the project's folder:
# one list for the build here (shell/CMakeLists.txt) and the Windows build
# (windows/CMakeLists.txt).
set(VELATONE_SOURCE_FILES
    shell/acrxEntryPoint.cpp
    shell/VelaToneGlobals.cpp
    entity/QkDbVelaToneRecord.cpp
    entity/QkDbVelaToneFiling.cpp
    entity/QkDbVelaToneDraw.cpp
    entity/QkDbVelaToneEdit.cpp
    registry/DocVoiceList.cpp
    registry/VelaToneManager.cpp
    registry/VelaToneNotifier.cpp
    registry/VelaToneVoiceList.cpp
    reactors/VelaTonePsReactor.cpp
    reactors/VelaToneObReactor.cpp
    reactors/VelaToneDcReactor.cpp
    reactors/VelaToneEdReactor.cpp
    reactors/VelaToneEnReactor.cpp
    reactors/VelaTonePmReactor.cpp
    audio/VelaToneAudio.cpp
    audio/VelaTonePlayer.cpp
    ui/VelaToneTagUIDlg.cpp
    ui/VelaToneManDlg.cpp)
set(VELATONE_INCLUDE_FOLDERS shell entity reactors registry audio ui)
