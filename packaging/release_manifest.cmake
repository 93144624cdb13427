# Included by dist.cmake, with DIST, VERSION, MAKER, UPGRADE_CODE, URL,
# TEMPLATES and the installers' MACHINE_PRODUCT_CODE and USER_PRODUCT_CODE.
# Writes SHA256SUMS beside the release files, and the winget manifest of this
# version (version, installer and locale files) under winget/, with the
# installers' SHA-256 and product codes, ready to submit to winget-pkgs.
set(machine_msi korvane-${VERSION}.msi)
set(user_msi korvane-${VERSION}-user.msi)
set(zip korvane-${VERSION}-win32.zip)

set(sums "")
foreach(file ${machine_msi} ${user_msi} ${zip})
    file(SHA256 ${DIST}/${file} hash)
    string(APPEND sums "${hash}  ${file}\n")
endforeach()
file(WRITE ${DIST}/SHA256SUMS "${sums}")

file(SHA256 ${DIST}/${machine_msi} MACHINE_SHA256)
file(SHA256 ${DIST}/${user_msi} USER_SHA256)
string(TOUPPER "${MACHINE_SHA256}" MACHINE_SHA256)
string(TOUPPER "${USER_SHA256}" USER_SHA256)
set(PACKAGE_ID ${MAKER}.Korvane)
set(manifests ${DIST}/winget/manifests/t/${MAKER}/Korvane/${VERSION})
file(REMOVE_RECURSE ${DIST}/winget)
configure_file(${TEMPLATES}/version.yaml.in ${manifests}/${PACKAGE_ID}.yaml @ONLY)
configure_file(${TEMPLATES}/installer.yaml.in ${manifests}/${PACKAGE_ID}.installer.yaml @ONLY)
configure_file(${TEMPLATES}/locale.yaml.in ${manifests}/${PACKAGE_ID}.locale.en-US.yaml @ONLY)
