#include "system/system_reason.h"

#include <cerrno>

namespace kalmar {

namespace {

struct Reason {
  long code;
  const char* text;
};

// What a file or device open, read, write, rename or ioctl meets. Some
// names share one number on some systems (ENOTSUP and EOPNOTSUPP on Linux):
// the first row wins.
constexpr Reason kErrnoReasons[] = {
    {ENOENT, "нет такого файла или папки"},
    {EACCES, "нет прав доступа"},
    {EPERM, "действие не разрешено"},
    {EEXIST, "файл уже существует"},
    {EISDIR, "это папка, а не файл"},
    {ENOTDIR, "часть пути — не папка"},
    {ENOTEMPTY, "папка не пуста"},
    {ENOSPC, "диск заполнен"},
#if defined(EDQUOT)
    {EDQUOT, "превышена квота диска"},
#endif
    {EROFS, "диск только для чтения"},
    {EBUSY, "устройство занято"},
    {ENODEV, "нет такого устройства"},
    {ENXIO, "устройство не отвечает"},
    {ENOTTY, "устройство не поддерживает этот запрос"},
    {ENOSYS, "не поддерживается в этой системе"},
    {EINVAL, "недопустимое имя или значение"},
    {EIO, "ошибка ввода-вывода"},
    {EMFILE, "открыто слишком много файлов"},
    {ENFILE, "в системе открыто слишком много файлов"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {ELOOP, "слишком много символических ссылок"},
    {EAGAIN, "ресурс временно недоступен"},
    {EXDEV, "нельзя перенести на другой диск"},
    {ETXTBSY, "файл занят запущенной программой"},
    {EFBIG, "файл слишком велик"},
    {ENOMEM, "недостаточно памяти"},
    {EINTR, "прервано сигналом"},
    {EPIPE, "канал закрыт"},
    {ENOTSUP, "действие не поддерживается"},
    {EOPNOTSUPP, "действие не поддерживается"},
    {EBADF, "файл не открыт"},
};

// The Windows codes a file, the port driver's service or a library's load
// meets (winerror.h).
constexpr Reason kWindowsReasons[] = {
    {2, "файл не найден"},                                    // ERROR_FILE_NOT_FOUND
    {3, "путь не найден"},                                    // ERROR_PATH_NOT_FOUND
    {4, "открыто слишком много файлов"},                      // ERROR_TOO_MANY_OPEN_FILES
    {5, "нет прав доступа"},                                  // ERROR_ACCESS_DENIED
    {8, "недостаточно памяти"},                               // ERROR_NOT_ENOUGH_MEMORY
    {14, "недостаточно памяти"},                              // ERROR_OUTOFMEMORY
    {15, "диск не найден"},                                   // ERROR_INVALID_DRIVE
    {17, "нельзя перенести на другой диск"},                  // ERROR_NOT_SAME_DEVICE
    {19, "диск защищён от записи"},                           // ERROR_WRITE_PROTECT
    {21, "устройство не готово"},                             // ERROR_NOT_READY
    {32, "файл занят другой программой"},                     // ERROR_SHARING_VIOLATION
    {33, "файл заблокирован другой программой"},              // ERROR_LOCK_VIOLATION
    {39, "диск заполнен"},                                    // ERROR_HANDLE_DISK_FULL
    {53, "сетевой путь не найден"},                           // ERROR_BAD_NETPATH
    {80, "файл уже существует"},                              // ERROR_FILE_EXISTS
    {87, "недопустимый параметр"},                            // ERROR_INVALID_PARAMETER
    {112, "диск заполнен"},                                   // ERROR_DISK_FULL
    {123, "недопустимое имя файла"},                          // ERROR_INVALID_NAME
    {126, "не найдена библиотека или нужный ей модуль"},      // ERROR_MOD_NOT_FOUND
    {127, "в библиотеке нет нужной функции"},                 // ERROR_PROC_NOT_FOUND
    {145, "папка не пуста"},                                  // ERROR_DIR_NOT_EMPTY
    {183, "файл уже существует"},                             // ERROR_ALREADY_EXISTS
    {193, "файл другой разрядности или повреждён"},           // ERROR_BAD_EXE_FORMAT
    {206, "слишком длинное имя файла"},                       // ERROR_FILENAME_EXCED_RANGE
    {577, "у драйвера нет действительной цифровой подписи"},  // ERROR_INVALID_IMAGE_HASH
    {1058, "служба отключена"},                               // ERROR_SERVICE_DISABLED
    {1060, "служба не установлена"},                          // ERROR_SERVICE_DOES_NOT_EXIST
    {1072, "служба помечена для удаления"},                   // ERROR_SERVICE_MARKED_FOR_DELETE
    {1117, "ошибка ввода-вывода"},                            // ERROR_IO_DEVICE
    {1275, "драйвер заблокирован системой"},                  // ERROR_DRIVER_BLOCKED
    {1314, "нет нужных привилегий"},                          // ERROR_PRIVILEGE_NOT_HELD
};

template <std::size_t N>
const char* lookUp(const Reason (&table)[N], long code) {
  for (const Reason& reason : table)
    if (reason.code == code) return reason.text;
  return nullptr;
}

}  // namespace

std::string systemReason(int errnoValue) {
  if (const char* text = lookUp(kErrnoReasons, errnoValue)) return text;
  return "системная ошибка " + std::to_string(errnoValue);
}

std::string windowsReason(std::uint32_t code) {
  const std::string number = std::to_string(code);
  if (const char* text = lookUp(kWindowsReasons, static_cast<long>(code)))
    return std::string(text) + " (ошибка " + number + ")";
  return "системная ошибка " + number;
}

std::string systemReason(const std::error_code& code) {
#if defined(_WIN32)
  // The C++ library's filesystem reports Windows' own codes in this category.
  if (code.category() == std::system_category())
    return windowsReason(static_cast<std::uint32_t>(code.value()));
#endif
  return systemReason(code.value());
}

}  // namespace kalmar
