// The system's own texts, in one place. This file is UTF-8; the compiler stores every
// narrow literal in code page 936 (-fexec-charset=GBK), the code page the system runs in.
#pragma once

namespace texts {

// The main window.
inline constexpr char kMainTitle[] = "Ventrix1.2";
inline constexpr char kGroupInstall[] = "安装菜单";
inline constexpr char kLabelDrop[] = "拖拽文件到此处安装或双击手动添加";
inline constexpr char kGroupManage[] = "管理菜单(双击删除-右键刷新)";
inline constexpr char kButtonRepair[] = "修复图标";
inline constexpr char kLabelNote[] = "注意:ShortCut为主键,删除该键值将删除所有的子项.";
inline constexpr char kButtonBackup[] = "备份";
inline constexpr char kButtonRestore[] = "还原";

// The caption of every message box.
inline constexpr char kMessageCaption[] = "信息：";

// The keys of the background menu: first-level entries below the shell key, second-level
// entries below the cascade's shell key.
inline constexpr char kShellKeyPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell";
inline constexpr char kCascadeShellKeyPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\shell";

// Labels of the registry value types, each followed by the type number in decimal.
inline constexpr char kTypeLabelNone[] = "REG_NONE - 字节集，值为：";
inline constexpr char kTypeLabelString[] = "REG_SZ - 字符串值，值为：";
inline constexpr char kTypeLabelExpandString[] = "REG_REG_EXPAND_SZ - 可扩充字符串值，值为：";
inline constexpr char kTypeLabelBinary[] = "REG_BINARY - 二进制，值为：";
inline constexpr char kTypeLabelDword[] = "REG_DWORD - DWORD，值为：";
inline constexpr char kTypeLabelMultiString[] = "REG_MULTI_SZ - 多字符串值，值为：";

}  // namespace texts
