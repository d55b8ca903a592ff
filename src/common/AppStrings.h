#pragma once
// The program's string-table texts, by their numbers. Every part that shows
// one of them takes it from here so the texts stay identical everywhere.

constexpr unsigned IDS_ABOUTBOX = 101;
constexpr unsigned IDS_APP_NAME = 102;
constexpr unsigned IDS_APP_TITLE = 57344;
constexpr unsigned IDS_SELECT_SYSTEM_FOLDER = 57345;
constexpr unsigned IDS_PANEL_LIST_FILE_ERROR = 57346;
constexpr unsigned IDS_CLEANUP_TITLE = 57347;

constexpr const char* STR_ABOUTBOX = "&About Ilvane Remote File Manager...";
constexpr const char* STR_APP_NAME = "Ilvane Remote File Manager";
// The application title; also the application name that names the settings
// key and the last level of the application data folder.
constexpr const char* STR_APP_TITLE = "Ilvane Remote File Manager";
constexpr const char* STR_SELECT_SYSTEM_FOLDER = "Select System Folder";
constexpr const char* STR_PANEL_LIST_FILE_ERROR =
    "Unable to open Ilvane Remote File Manager Panel List Information file (*.INI).";
// Settings entries of earlier installations begin with this text.
constexpr const char* STR_CLEANUP_TITLE = "Ilvane Remote File Manager";

// The text of a string-table entry by number; empty for an unknown number.
constexpr const char* LoadAppString(unsigned nId)
{
    switch (nId)
    {
    case IDS_ABOUTBOX:
        return STR_ABOUTBOX;
    case IDS_APP_NAME:
        return STR_APP_NAME;
    case IDS_APP_TITLE:
        return STR_APP_TITLE;
    case IDS_SELECT_SYSTEM_FOLDER:
        return STR_SELECT_SYSTEM_FOLDER;
    case IDS_PANEL_LIST_FILE_ERROR:
        return STR_PANEL_LIST_FILE_ERROR;
    case IDS_CLEANUP_TITLE:
        return STR_CLEANUP_TITLE;
    default:
        return "";
    }
}
