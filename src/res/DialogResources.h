#pragma once
// The editor's dialog layouts, by resource number.

#include "res/DlgTemplate.h"

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_LABEL = 131;
constexpr int IDD_LINE = 132;
constexpr int IDD_DIRECTORY = 133;
constexpr int IDD_RUNOPTION = 134;
constexpr int IDD_QFOSET = 135;
constexpr int IDD_QFOENTRY = 136;
constexpr int IDD_QFOPOPUP = 137;
constexpr int IDD_FIND = 138;
constexpr int IDD_REPLACE = 139;
constexpr int IDD_COMMANDS = 140;

// Control ids used by the layouts below.
constexpr int IDC_EDIT1 = 1001;
constexpr int IDC_EDIT2 = 1002;
constexpr int IDC_BUTTON1 = 1003;
constexpr int IDC_BUTTON2 = 1004;
constexpr int IDC_LIST1 = 1006;
constexpr int IDC_BUTTON3 = 1008;
// The find and replace dialog's controls; its Find Next button is IDOK.
constexpr int IDC_FIND_WHAT = 1101;
constexpr int IDC_REPLACE_WITH = 1102;
constexpr int IDC_WHOLE_WORD = 1103;
constexpr int IDC_MATCH_CASE = 1104;
constexpr int IDC_UP = 1105;
constexpr int IDC_DOWN = 1106;
constexpr int IDC_REPLACE = 1107;
constexpr int IDC_REPLACE_ALL = 1108;

// The layout with resource number `id`, or null when there is none.
const DlgTemplate* FindDlgTemplate(int id);
