// The system's own texts, in one place. This file is UTF-8; the compiler stores every
// narrow literal in code page 936 (-fexec-charset=GBK), the code page the system runs in.
#pragma once

namespace texts {

// The privilege enabled before an entry is written.
inline constexpr char kDebugPrivilege[] = "SeDebugPrivilege";

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

// Installing, deleting and repairing entries.
inline constexpr char kInstallSucceeded[] = "添加成功！";
inline constexpr char kInstallFailed[] = "添加失败!可能需要管理员权限！";
inline constexpr char kNameHasBackslash[] = "名称中不能含有“\\”！";
inline constexpr char kDeleteQuestionPrefix[] = "确定要删除名为 ";
inline constexpr char kDeleteQuestionSuffix[] = " 的项吗?";
inline constexpr char kDeletedPrefix[] = "删除名为 ";
inline constexpr char kDeletedSuffix[] = " 的项成功！";
inline constexpr char kDeleteFailedSuffix[] = " 的项失败！需要管理员权限！";
inline constexpr char kRepairDone[] = "修复完成！";
inline constexpr char kCascadeText[] = "快捷";

// Files dropped or chosen.
inline constexpr char kNotAnExecutableSuffix[] = " 并非一个执行文件!";
// The open-file dialog's filter: description and pattern, each with its zero, then an empty
// text ("可执行文件(*.exe)|*.exe" in the form).
inline constexpr char kExecutableFilter[] = "可执行文件(*.exe)\0*.exe\0";

// Backup and restore.
inline constexpr char kBackupFileName[] = "\\Backup.reg";
inline constexpr char kRegistryEditor[] = "\\regedit.exe";
inline constexpr char kExportCommandStart[] = "Regedit /E  \"";
inline constexpr char kExportCommandEnd[] =
    "\" HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\background\\shell";
inline constexpr char kImportCommandStart[] = "Regedit /S  \"";
inline constexpr char kImportCommandEnd[] = "\"";
inline constexpr char kBackupDone[] = "备份完成！";
inline constexpr char kBackupFailed[] = "备份失败！可能需要管理员权限！";
inline constexpr char kRestoreDone[] = "还原完成！";
inline constexpr char kRestoreFailed[] = "还原失败！可能需要管理员权限！";
inline constexpr char kRestoreNoFile[] = "还原失败！找不到备份文件 Backup.reg！";
inline constexpr char kRestoreForeignKeys[] = "还原失败！备份文件含有菜单以外的注册表项！";
inline constexpr char kBackupBeforeClose[] =
    "关闭之前是否要备份一下,方便重装系统后快速恢复,要备份吗？";

// The name-choice window.
inline constexpr char kNameChoiceTitle[] = "选择要使用的文件名";
inline constexpr char kLabelFileName[] = "使用文件名:";
inline constexpr char kRadioFirstLevel[] = "一级菜单";
inline constexpr char kRadioSecondLevel[] = "二级菜单";
inline constexpr char kButtonUse[] = "使用";
inline constexpr char kButtonCancel[] = "取消";

// The keys of the background menu: first-level entries below the shell key, second-level
// entries below the cascade's shell key.
inline constexpr char kShellKeyPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell";
inline constexpr char kCascadeShellKeyPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\shell";
// The same keys as value paths below HKEY_LOCAL_MACHINE, each ending in its backslash.
inline constexpr char kShellValuePath[] = "SOFTWARE\\Classes\\Directory\\Background\\shell\\";
inline constexpr char kCascadeValuePath[] =
    "SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\";
inline constexpr char kCascadeShellValuePath[] =
    "SOFTWARE\\Classes\\Directory\\Background\\shell\\ShortCut\\shell\\";

// Labels of the registry value types, each followed by the type number in decimal.
inline constexpr char kTypeLabelNone[] = "REG_NONE - 字节集，值为：";
inline constexpr char kTypeLabelString[] = "REG_SZ - 字符串值，值为：";
inline constexpr char kTypeLabelExpandString[] = "REG_REG_EXPAND_SZ - 可扩充字符串值，值为：";
inline constexpr char kTypeLabelBinary[] = "REG_BINARY - 二进制，值为：";
inline constexpr char kTypeLabelDword[] = "REG_DWORD - DWORD，值为：";
inline constexpr char kTypeLabelMultiString[] = "REG_MULTI_SZ - 多字符串值，值为：";

}  // namespace texts
