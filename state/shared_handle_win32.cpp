#include "state/shared_handle_win32.h"

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr char16_t kInit[] = u"G3@CSharedHandle::Init: ";
constexpr char16_t kAdd[] = u"G4@CSharedHandle::Add: ";
constexpr char16_t kRemove[] = u"G5@CSharedHandle::Remove: ";
constexpr char16_t kDuplicate[] = u"G6@CSharedHandle::Duplicate: ";
constexpr char16_t kGetFirstParent[] = u"G7@CSharedHandle::GetFirstParent: ";

std::uint64_t ValueOf(HANDLE handle) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

HANDLE HandleOf(std::uint64_t value) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

// Null when the process is gone or its handle is not the one wanted.
HANDLE DuplicateFrom(std::uint32_t processId, HANDLE handle, bool (*accept)(HANDLE)) {
    const UniqueHandle process(OpenProcess(PROCESS_DUP_HANDLE, FALSE, processId));
    HANDLE duplicate = nullptr;
    if (!process.IsValid() || !DuplicateHandle(process.Get(), handle, GetCurrentProcess(),
                                               &duplicate, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    UniqueHandle own(duplicate);
    if (accept != nullptr && !accept(own.Get())) {
        return nullptr;
    }
    return own.Release();
}

void TraceHandleResult(const char16_t* tag, HANDLE handle) {
    const auto low = static_cast<std::uint32_t>(ValueOf(handle));
    TraceReturn(tag, low, ResultName(low));
}

}  // namespace

void CSharedHandle::Init(std::int32_t named) {
    TraceEnter(kInit);
    table_.magic = shared_block::kHandleTableMagic;
    for (int i = 0; i < shared_block::kHandleSlots; ++i) {
        table_.handles[i] = 0;
        table_.processIds[i] = 0;
    }
    table_.named = named;
    table_.name[0] = u'\0';
    TraceLeave(kInit);
}

HANDLE CSharedHandle::Add(HANDLE handle, std::uint32_t processId) {
    TraceEnter(kAdd);
    HANDLE created = nullptr;
    if (handle == nullptr) {
        LARGE_INTEGER counter{};
        if (table_.named != 0 && QueryPerformanceCounter(&counter)) {
            WsPrintf(table_.name, static_cast<int>(std::size(table_.name)), u"%I64i",
                     counter.QuadPart);
            created = CreateMutexW(nullptr, FALSE, AsWide(table_.name));
        }
        if (created == nullptr) {
            table_.named = 0;
            table_.name[0] = u'\0';
            created = CreateMutexW(nullptr, FALSE, nullptr);
        }
        if (created == nullptr) {
            TraceHandleResult(kAdd, nullptr);
            return nullptr;
        }
        handle = created;
    }
    for (int i = 0; i < shared_block::kHandleSlots; ++i) {
        if (table_.handles[i] == 0) {
            table_.handles[i] = ValueOf(handle);
            table_.processIds[i] = processId;
            TraceHandleResult(kAdd, handle);
            return handle;
        }
    }
    // Table full: a mutex made here would have no owner.
    if (created != nullptr) {
        CloseHandle(created);
    }
    TraceHandleResult(kAdd, nullptr);
    return nullptr;
}

bool CSharedHandle::Remove(HANDLE handle) {
    TraceEnter(kRemove);
    for (int i = 0; i < shared_block::kHandleSlots; ++i) {
        if (table_.handles[i] != 0 && table_.handles[i] == ValueOf(handle)) {
            table_.handles[i] = 0;
            table_.processIds[i] = 0;
            TraceReturn(kRemove, 1u, ResultName(1));
            return true;
        }
    }
    TraceReturn(kRemove, 0u, ResultName(0));
    return false;
}

HANDLE CSharedHandle::Duplicate(bool (*accept)(HANDLE)) {
    TraceEnter(kDuplicate);
    HANDLE own = nullptr;
    if (table_.named != 0 && table_.name[0] != u'\0') {
        own = OpenMutexW(MUTEX_ALL_ACCESS, TRUE, AsWide(table_.name));
    } else {
        for (int i = 0; i < shared_block::kHandleSlots && own == nullptr; ++i) {
            if (table_.handles[i] != 0) {
                own = DuplicateFrom(table_.processIds[i], HandleOf(table_.handles[i]), accept);
            }
        }
    }
    if (own != nullptr && Add(own, GetCurrentProcessId()) == nullptr) {
        CloseHandle(own);  // no slot left to record it in
        own = nullptr;
    }
    TraceHandleResult(kDuplicate, own);
    return own;
}

int CSharedHandle::GetFirstParent(HANDLE* handle, std::uint32_t* processId) const {
    TraceEnter(kGetFirstParent);
    for (int i = 0; i < shared_block::kHandleSlots; ++i) {
        if (table_.handles[i] != 0) {
            if (handle != nullptr) {
                *handle = HandleOf(table_.handles[i]);
            }
            if (processId != nullptr) {
                *processId = table_.processIds[i];
            }
            TraceReturn(kGetFirstParent, static_cast<std::uint32_t>(i), ResultName(i));
            return i;
        }
    }
    TraceReturn(kGetFirstParent, 0xFFFFFFFFu, ResultName(0xFFFFFFFFu));
    return -1;
}
