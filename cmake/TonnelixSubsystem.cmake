# One folder per subsystem. The files at its root make its widget-free library; the files of its ui/
# folder make its window library, which links the first. Sources are named without their extension:
# "RackStore" stands for RackStore.cpp and RackStore.h, whichever exist.
#
#   tonnelix_subsystem(rack
#       CORE RackGrid RackStore           CORE_LINKS tonnelix_db
#       UI RackDialog                     UI_LINKS tonnelix_widgets)
#
# With both halves the libraries are tonnelix_<name>_core and tonnelix_<name>; with one, tonnelix_<name>.
# A core library never links Qt Widgets: tonnelix_check_core_libraries() fails the configuration if one
# does, directly or through another library.

function(tonnelix_sources out folder)
    set(files)
    foreach(stem IN LISTS ARGN)
        if(IS_ABSOLUTE "${stem}")
            list(APPEND files "${stem}")
            continue()
        endif()
        set(found FALSE)
        foreach(ext .cpp .h)
            if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}${stem}${ext}")
                list(APPEND files "${folder}${stem}${ext}")
                set(found TRUE)
            endif()
        endforeach()
        if(NOT found)
            message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${folder}${stem}: no .cpp or .h")
        endif()
    endforeach()
    set(${out} ${files} PARENT_SCOPE)
endfunction()

function(tonnelix_subsystem name)
    cmake_parse_arguments(ARG "" "" "CORE;CORE_LINKS;UI;UI_LINKS" ${ARGN})
    if(ARG_CORE AND ARG_UI)
        set(core tonnelix_${name}_core)
    else()
        set(core tonnelix_${name})
    endif()
    if(ARG_CORE)
        tonnelix_sources(sources "" ${ARG_CORE})
        add_library(${core} STATIC ${sources})
        target_include_directories(${core} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${core} PUBLIC Qt6::Core ${ARG_CORE_LINKS})
        tonnelix_precompile(${core} core)
        set_property(GLOBAL APPEND PROPERTY TONNELIX_CORE_LIBRARIES ${core})
    endif()
    if(ARG_UI)
        tonnelix_sources(sources "ui/" ${ARG_UI})
        add_library(tonnelix_${name} STATIC ${sources})
        target_include_directories(tonnelix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(tonnelix_${name} PUBLIC Qt6::Widgets ${ARG_UI_LINKS})
        if(ARG_CORE)
            target_link_libraries(tonnelix_${name} PUBLIC ${core})
        endif()
        tonnelix_precompile(tonnelix_${name} ui)
    endif()
endfunction()

# Every library a target links, through the others.
function(tonnelix_linked_closure out target)
    set(seen)
    set(queue ${target})
    while(queue)
        list(POP_FRONT queue current)
        if(current IN_LIST seen OR NOT TARGET ${current})
            continue()
        endif()
        list(APPEND seen ${current})
        get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
        if(links)
            list(APPEND queue ${links})
        endif()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tonnelix_check_core_libraries)
    get_property(cores GLOBAL PROPERTY TONNELIX_CORE_LIBRARIES)
    foreach(core IN LISTS cores)
        tonnelix_linked_closure(closure ${core})
        if("Qt6::Widgets" IN_LIST closure)
            message(FATAL_ERROR "${core} is a widget-free library but links Qt Widgets")
        endif()
    endforeach()
endfunction()

# Precompiled Qt headers: one set for the widget-free libraries, one for the window libraries, each
# compiled once, by a target of its own that has Qt's definitions of its kind and no other, and reused by
# every library and test of its kind (a reuser may define more: the Qt headers below never read them).
set(TONNELIX_PCH_CORE <QByteArray> <QHash> <QList> <QString> <QStringList> <QVariant> <QFile> <QFileInfo> <QDir>
    <QDateTime> <QLocale> <functional> <memory> <optional> <vector>)
set(TONNELIX_PCH_UI ${TONNELIX_PCH_CORE} <QWidget> <QDialog> <QLabel> <QPushButton> <QComboBox> <QLineEdit>
    <QListWidget> <QTreeWidget> <QTableWidget> <QHeaderView> <QBoxLayout> <QGridLayout> <QGroupBox> <QCheckBox>
    <QRadioButton> <QSpinBox> <QTabWidget> <QMainWindow> <QMenu> <QAction> <QPainter> <QTimer>)

function(tonnelix_precompile target kind)
    if(NOT TONNELIX_PCH)
        return()
    endif()
    set(owner tonnelix_pch_${kind})
    if(NOT TARGET ${owner})
        set(source ${PROJECT_BINARY_DIR}/pch/${kind}.cpp)
        if(NOT EXISTS ${source})
            file(WRITE ${source} "// The precompiled headers of the ${kind} libraries are made from this target.\n")
        endif()
        add_library(${owner} OBJECT ${source})
        if(kind STREQUAL "core")
            target_link_libraries(${owner} PRIVATE Qt6::Core)
            target_precompile_headers(${owner} PRIVATE ${TONNELIX_PCH_CORE})
        else()
            target_link_libraries(${owner} PRIVATE Qt6::Widgets)
            target_precompile_headers(${owner} PRIVATE ${TONNELIX_PCH_UI})
        endif()
    endif()
    target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()

# The kind of precompiled headers for a program that links these libraries.
function(tonnelix_precompile_program target)
    tonnelix_linked_closure(closure ${ARGN})
    if("Qt6::Widgets" IN_LIST closure)
        tonnelix_precompile(${target} ui)
    else()
        tonnelix_precompile(${target} core)
    endif()
endfunction()
