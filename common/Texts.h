// The system's own texts, in one place. This file is UTF-8; the compiler stores every
// narrow literal in code page 936 (-fexec-charset=GBK), the code page the system runs in.
#pragma once

namespace texts {

// Labels of the registry value types, each followed by the type number in decimal.
inline constexpr char kTypeLabelNone[] = "REG_NONE - 字节集，值为：";
inline constexpr char kTypeLabelString[] = "REG_SZ - 字符串值，值为：";
inline constexpr char kTypeLabelExpandString[] = "REG_REG_EXPAND_SZ - 可扩充字符串值，值为：";
inline constexpr char kTypeLabelBinary[] = "REG_BINARY - 二进制，值为：";
inline constexpr char kTypeLabelDword[] = "REG_DWORD - DWORD，值为：";
inline constexpr char kTypeLabelMultiString[] = "REG_MULTI_SZ - 多字符串值，值为：";

}  // namespace texts
