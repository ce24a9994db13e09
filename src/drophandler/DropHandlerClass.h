#pragma once
/**
 * @file
 * What identifies Tamsel's one class to its host: the class identifier, the name it is
 * registered under, and the registry keys that tie a file type to it.
 */
#include "ObjectProtocol.h"

namespace drophandler {

/** The class identifier of the drop-target object; its text form is GuidToString() of it. */
inline constexpr CLSID CLSID_DropTargetObject{
    0x45E1DEAB, 0xECD1, 0x407F, {0xB0, 0x6D, 0xE5, 0x50, 0xDB, 0x8A, 0x5E, 0x93}};

/** The registered name of the class, also the caption of its messages. */
inline constexpr char RegisteredName[] = "Wyncourt";

/** The registry root every key of the drop handler lives under. */
inline constexpr char ClassesRoot[] = "HKEY_CLASSES_ROOT";

/** Appended to a file type's identifier to find the program it starts for drops. */
inline constexpr char HandlerKeySuffix[] = "\\ShellEx\\Wyncourt";

/** Value of the handler key: text put in front of all other arguments. */
inline constexpr char ArgumentsValue[] = "Arguments";

/** Value of the handler key: when present, the dropped-on file is not passed. */
inline constexpr char OmitTargetValue[] = "OmitTarget";

} // namespace drophandler
