#include "access/folder_security.h"

namespace {

const SECURITY_DESCRIPTOR_CONTROL kDaclFlags = SE_DACL_PROTECTED | SE_DACL_AUTO_INHERITED;

// The entry this change makes, there already as the folder's own.
bool IsTheEntry(const ACE_HEADER* header, PSID account)
{
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || header->AceFlags != OBJECT_INHERIT_ACE)
        return false;
    const ACCESS_ALLOWED_ACE* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
    return (ace->Mask & kModFolderRights) == kModFolderRights &&
           EqualSid(const_cast<DWORD*>(&ace->SidStart), account);
}

// Copies entry `index` of `from` to the end of `to`.
bool CopyEntry(PACL to, PACL from, DWORD index)
{
    void* ace = NULL;
    return GetAce(from, index, &ace) &&
           AddAce(to, to->AclRevision, MAXDWORD, ace, static_cast<const ACE_HEADER*>(ace)->AceSize);
}

}  // namespace

AllowedDescriptor WithChangesAllowedFor(PSECURITY_DESCRIPTOR current, PSID account)
{
    AllowedDescriptor result = {false, false, {}};
    BOOL present = FALSE, defaulted = FALSE, ownerDefaulted = FALSE, groupDefaulted = FALSE;
    PACL dacl = NULL;
    PSID owner = NULL, group = NULL;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (!IsValidSid(account) || !GetSecurityDescriptorDacl(current, &present, &dacl, &defaulted) ||
        !GetSecurityDescriptorOwner(current, &owner, &ownerDefaulted) ||
        !GetSecurityDescriptorGroup(current, &group, &groupDefaulted) ||
        !GetSecurityDescriptorControl(current, &control, &revision))
        return result;
    result.made = true;
    if (!present || !dacl)
        return result;  // no DACL: everyone may do everything already
    // The folder's own entries come first; the new one follows them.
    DWORD own = 0;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = NULL;
        if (!GetAce(dacl, i, &ace))
            return {false, false, {}};
        const ACE_HEADER* header = static_cast<const ACE_HEADER*>(ace);
        if (IsTheEntry(header, account))
            return result;
        if (!(header->AceFlags & INHERITED_ACE))
            own = i + 1;
    }

    DWORD size =
        dacl->AclSize + static_cast<DWORD>(sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD)) + GetLengthSid(account);
    std::vector<BYTE> aclBuffer(size);
    PACL acl = reinterpret_cast<PACL>(aclBuffer.data());
    SECURITY_DESCRIPTOR absolute;
    bool built = InitializeAcl(acl, size, dacl->AclRevision > ACL_REVISION ? dacl->AclRevision : ACL_REVISION);
    for (DWORD i = 0; built && i < own; ++i)
        built = CopyEntry(acl, dacl, i);
    built = built && AddAccessAllowedAceEx(acl, acl->AclRevision, OBJECT_INHERIT_ACE, kModFolderRights, account);
    for (DWORD i = own; built && i < dacl->AceCount; ++i)
        built = CopyEntry(acl, dacl, i);
    built = built && InitializeSecurityDescriptor(&absolute, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&absolute, TRUE, acl, defaulted) &&
            SetSecurityDescriptorControl(&absolute, kDaclFlags, control & kDaclFlags) &&
            (!owner || SetSecurityDescriptorOwner(&absolute, owner, ownerDefaulted)) &&
            (!group || SetSecurityDescriptorGroup(&absolute, group, groupDefaulted));
    DWORD length = 0;
    if (built)
        MakeSelfRelativeSD(&absolute, NULL, &length);
    result.descriptor.resize(length);
    if (!built || !length || !MakeSelfRelativeSD(&absolute, result.descriptor.data(), &length))
        return {false, false, {}};
    result.changed = true;
    return result;
}

DWORD AllowChangesOn(HANDLE folder, PSID account)
{
    const SECURITY_INFORMATION read =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetKernelObjectSecurity(folder, read, NULL, 0, &size);
    std::vector<BYTE> current(size);
    if (!size || !GetKernelObjectSecurity(folder, read, current.data(), size, &size))
        return GetLastError();
    AllowedDescriptor allowed = WithChangesAllowedFor(current.data(), account);
    if (!allowed.made)
        return ERROR_INVALID_SECURITY_DESCR;
    if (allowed.changed && !SetKernelObjectSecurity(folder, DACL_SECURITY_INFORMATION, allowed.descriptor.data()))
        return GetLastError();
    return ERROR_SUCCESS;
}
