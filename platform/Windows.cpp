#include "Windows.h"

#include <QApplication>
#include <QByteArrayMatcher>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QResource>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <utility>
#include <vector>

namespace {

thread_local DWORD LastError = ERROR_SUCCESS;

BOOL Fail(DWORD Error)
{
    LastError = Error;
    return FALSE;
}

WORD ReadWord(const BYTE *p)
{
    return WORD(p[0] | (p[1] << 8));
}

DWORD ReadDWord(const BYTE *p)
{
    return DWORD(ReadWord(p)) | (DWORD(ReadWord(p + 2)) << 16);
}

constexpr std::size_t Align4(std::size_t n) { return (n + 3) & ~std::size_t(3); }

// The root key with its terminator, as it stands in a version block: the block is found by it.
const QByteArray &RootKey()
{
    static const QByteArray key = [] {
        QByteArray k;
        for (char c : QByteArrayLiteral("VS_VERSION_INFO")) {
            k.append(c);
            k.append('\0');
        }
        k.append(2, '\0');
        return k;
    }();
    return key;
}

constexpr std::size_t RootKeyOffset = 6;
constexpr std::size_t FixedInfoOffset = Align4(RootKeyOffset + 32); // 16 UTF-16 units of the key

// One node of a version block, read with every length checked against its parent.
struct TNode {
    const BYTE *Start = nullptr;
    std::size_t Length = 0; // wLength, within bounds
    WORD ValueLength = 0;
    WORD Type = 0;
    QString Key;
    std::size_t ValueOffset = 0;
    std::size_t ValueBytes = 0;
    std::size_t ChildrenOffset = 0;
};

// Reads the node at Start, which may use at most Avail bytes.
bool ReadNode(const BYTE *Start, std::size_t Avail, TNode &Node)
{
    if (Avail < 6)
        return false;
    Node.Start = Start;
    Node.Length = ReadWord(Start);
    Node.ValueLength = ReadWord(Start + 2);
    Node.Type = ReadWord(Start + 4);
    if (Node.Length < 6 || Node.Length > Avail)
        return false;
    Node.Key.clear();
    std::size_t pos = 6;
    for (;;) {
        if (pos + 2 > Node.Length)
            return false; // the key has no terminator inside the node
        const WORD ch = ReadWord(Start + pos);
        pos += 2;
        if (ch == 0)
            break;
        Node.Key.append(QChar(ch));
    }
    Node.ValueOffset = Align4(pos);
    Node.ValueBytes = Node.Type == 1 ? std::size_t(Node.ValueLength) * 2 : Node.ValueLength;
    if (Node.ValueOffset + Node.ValueBytes > Node.Length) {
        // A text node may end right after its key when its value is empty.
        if (Node.ValueBytes != 0)
            return false;
        Node.ValueOffset = Node.Length;
    }
    Node.ChildrenOffset = Align4(Node.ValueOffset + Node.ValueBytes);
    return true;
}

bool FindChild(const TNode &Parent, const QString &Key, TNode &Child)
{
    std::size_t off = Parent.ChildrenOffset;
    while (off + 6 <= Parent.Length) {
        if (!ReadNode(Parent.Start + off, Parent.Length - off, Child))
            return false;
        if (Child.Key.compare(Key, Qt::CaseInsensitive) == 0)
            return true;
        off = Align4(off + Child.Length);
    }
    return false;
}

// The version block inside a module file: offset and length, or false.
bool LocateVersionBlock(const QString &FileName, QByteArray &Block)
{
    QFile f(FileName);
    if (FileName.isEmpty() || !QFileInfo(FileName).isFile() || !f.open(QIODevice::ReadOnly)) {
        LastError = ERROR_FILE_NOT_FOUND;
        return false;
    }
    const qint64 size = f.size();
    const uchar *mapped = size > 0 ? f.map(0, size) : nullptr;
    QByteArray whole;
    if (!mapped && size > 0) {
        whole = f.readAll();
        mapped = reinterpret_cast<const uchar *>(whole.constData());
    }
    const char *data = reinterpret_cast<const char *>(mapped);
    const QByteArrayMatcher matcher(RootKey());
    for (qsizetype at = data ? matcher.indexIn(data, size, 0) : -1; at >= 0; at = matcher.indexIn(data, size, at + 1)) {
        if (at < qsizetype(RootKeyOffset))
            continue;
        const BYTE *root = reinterpret_cast<const BYTE *>(data) + at - RootKeyOffset;
        const std::size_t avail = std::size_t(size - (at - qsizetype(RootKeyOffset)));
        TNode node;
        // The key alone also stands in programs that look for it: only a whole, well-formed
        // block counts.
        if (!ReadNode(root, avail, node) || node.Key != QLatin1String("VS_VERSION_INFO") || node.Type != 0 ||
            node.ValueLength != sizeof(VS_FIXEDFILEINFO) || node.ValueOffset != FixedInfoOffset ||
            ReadDWord(root + FixedInfoOffset) != VS_FFI_SIGNATURE)
            continue;
        Block = QByteArray(reinterpret_cast<const char *>(root), qsizetype(node.Length));
        return true;
    }
    LastError = ERROR_RESOURCE_TYPE_NOT_FOUND;
    return false;
}

QMutex ModulesLock;
std::vector<HINSTANCE> &Modules()
{
    static std::vector<HINSTANCE> modules;
    return modules;
}

QString ResourcePath(HINSTANCE Instance, const QString &Name)
{
    return QStringLiteral(":/%1/%2").arg(Instance->ResourcePrefix, Name.toUpper());
}

} // namespace

DWORD GetLastError()
{
    return LastError;
}

void SetLastError(DWORD ErrCode)
{
    LastError = ErrCode;
}

DWORD GetFileVersionInfoSizeW(const QString &FileName, DWORD *Handle)
{
    if (Handle)
        *Handle = 0;
    QByteArray block;
    if (!LocateVersionBlock(FileName, block))
        return 0;
    LastError = ERROR_SUCCESS;
    return DWORD(block.size());
}

BOOL GetFileVersionInfoW(const QString &FileName, DWORD Handle, DWORD Len, void *Data)
{
    if (!Data || Len < 6)
        return Fail(ERROR_INVALID_PARAMETER);
    QByteArray block;
    if (!LocateVersionBlock(FileName, block))
        return FALSE;
    const DWORD n = std::min<DWORD>(Len, DWORD(block.size()));
    std::memcpy(Data, block.constData(), n);
    // A cut block says how long it is now, so that queries stay inside the buffer.
    auto *p = static_cast<BYTE *>(Data);
    p[0] = BYTE(n & 0xFF);
    p[1] = BYTE((n >> 8) & 0xFF);
    LastError = ERROR_SUCCESS;
    return TRUE;
}

BOOL VerQueryValueW(const void *Block, const QString &SubBlock, void **Buffer, UINT *Len)
{
    if (Buffer)
        *Buffer = nullptr;
    if (Len)
        *Len = 0;
    if (!Block || !Buffer || !Len)
        return Fail(ERROR_INVALID_PARAMETER);
    const auto *start = static_cast<const BYTE *>(Block);
    TNode node;
    if (!ReadNode(start, ReadWord(start), node))
        return Fail(ERROR_RESOURCE_DATA_NOT_FOUND);
    const QStringList path = SubBlock.split(u'\\', Qt::SkipEmptyParts);
    for (const QString &key : path) {
        TNode child;
        if (!FindChild(node, key, child))
            return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
        node = child;
    }
    if (node.Type == 1) {
        static const char16_t Empty[] = u"";
        *Buffer = node.ValueBytes ? static_cast<void *>(const_cast<BYTE *>(node.Start + node.ValueOffset))
                                  : static_cast<void *>(const_cast<char16_t *>(Empty));
        *Len = node.ValueLength;
        return TRUE;
    }
    if (node.ValueBytes == 0)
        return Fail(ERROR_RESOURCE_DATA_NOT_FOUND);
    *Buffer = const_cast<BYTE *>(node.Start + node.ValueOffset);
    *Len = UINT(node.ValueBytes);
    return TRUE;
}

QString GetModuleFileNameOf(const void *Address)
{
    Dl_info info;
    if (!Address || !dladdr(Address, &info) || !info.dli_fname || !*info.dli_fname)
        return QString();
    const QString name = QFile::decodeName(info.dli_fname);
    const QFileInfo fi(name);
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? fi.absoluteFilePath() : canonical;
}

void RegisterModule(HINSTANCE Module)
{
    if (!Module)
        return;
    QMutexLocker lock(&ModulesLock);
    auto &modules = Modules();
    if (std::find(modules.begin(), modules.end(), Module) == modules.end())
        modules.push_back(Module);
}

void UnregisterModule(HINSTANCE Module)
{
    QMutexLocker lock(&ModulesLock);
    auto &modules = Modules();
    modules.erase(std::remove(modules.begin(), modules.end(), Module), modules.end());
    for (HINSTANCE m : modules)
        if (m->ResInstance == Module)
            m->ResInstance = nullptr;
}

HMODULE GetModuleHandleW(const QString &ModuleName)
{
    if (ModuleName.isEmpty())
        return nullptr;
    const QFileInfo wanted(ModuleName);
    const bool bare = !ModuleName.contains(u'/');
    const QString canonical = bare ? QString() : wanted.canonicalFilePath();
    QMutexLocker lock(&ModulesLock);
    for (HINSTANCE m : Modules()) {
        if (bare ? QFileInfo(m->FileName).fileName() == ModuleName
                 : (m->FileName == canonical || m->FileName == wanted.absoluteFilePath()))
            return m;
    }
    return nullptr;
}

HINSTANCE FindResourceHInstance(HINSTANCE Instance)
{
    if (Instance && Instance->ResInstance)
        return Instance->ResInstance;
    return Instance;
}

HBITMAP LoadBitmapW(HINSTANCE Instance, const QString &Name)
{
    if (!Instance || Name.isEmpty()) {
        LastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    QFile f(ResourcePath(Instance, Name));
    if (!f.open(QIODevice::ReadOnly)) {
        LastError = ERROR_RESOURCE_NAME_NOT_FOUND;
        return nullptr;
    }
    // Only bitmaps load as bitmaps; raw data and icons of the same module do not.
    QImage image;
    if (!image.loadFromData(f.readAll(), "BMP") || image.isNull()) {
        LastError = ERROR_RESOURCE_TYPE_NOT_FOUND;
        return nullptr;
    }
    LastError = ERROR_SUCCESS;
    return std::make_shared<const QImage>(std::move(image));
}

BOOL LoadResourceData(HINSTANCE Instance, const QString &Name, QByteArray &Data)
{
    if (!Instance || Name.isEmpty())
        return Fail(ERROR_INVALID_PARAMETER);
    QFile f(ResourcePath(Instance, Name));
    if (!f.open(QIODevice::ReadOnly))
        return Fail(ERROR_RESOURCE_NAME_NOT_FOUND);
    Data = f.readAll();
    LastError = ERROR_SUCCESS;
    return TRUE;
}

QString GetPackageDescription(HINSTANCE Instance)
{
    QByteArray data;
    if (!LoadResourceData(Instance, QStringLiteral("DESCRIPTION"), data))
        return QString();
    QString text;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const char16_t ch = char16_t(uchar(data[i]) | (uchar(data[i + 1]) << 8));
        if (ch == 0)
            break;
        text.append(QChar(ch));
    }
    return text;
}

// ---------------------------------------------------------------------------------------
namespace {
TBeepHook &beepHook()
{
    static TBeepHook hook;
    return hook;
}
} // namespace

BOOL MessageBeep(UINT uType)
{
    if (const TBeepHook &hook = beepHook())
        hook(uType);
    else
        QApplication::beep();
    return TRUE;
}

TBeepHook SetMessageBeepHook(TBeepHook Hook) { return std::exchange(beepHook(), std::move(Hook)); }
