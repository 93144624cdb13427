# cmake -D OUTPUT=<.msi> -D VERSION=... -D SCOPE=machine|user -D BIN=<folder of the
#       built files> -D SOURCE=<source tree> -D MAKER=... -D UPGRADE_CODE=...
#       -P installer.cmake
# One installer of the built program (the install test's older versions);
# dist.cmake includes this file for its functions and makes the release's two.
#
# The same inputs give the same bytes: the product code comes from the
# version and the scope (a new one per version, as a major upgrade needs),
# the components' codes from the scope, the package code from the finished
# database, and every time (the files' in the cabinet, the summary's) from
# the last commit, or SOURCE_DATE_EPOCH when it is set.

find_program(KORVANE_WIXL wixl REQUIRED)
find_program(KORVANE_MSIBUILD msibuild REQUIRED)
find_program(KORVANE_FAKETIME faketime REQUIRED)

# The time every release file carries, in seconds since 1970.
function(korvane_source_epoch var source)
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(epoch STREQUAL "")
        execute_process(COMMAND git -C ${source} log -1 --format=%ct
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE failed ERROR_QUIET)
        # Outside a git checkout (an unpacked source archive): the time the
        # archive gave the top CMakeLists.txt.
        if(failed OR NOT epoch MATCHES "^[0-9]+$")
            file(TIMESTAMP ${source}/CMakeLists.txt epoch "%s" UTC)
        endif()
    endif()
    # Zip entries cannot be older than 1980.
    if(epoch LESS 315532800)
        set(epoch 315532800)
    endif()
    set(${var} ${epoch} PARENT_SCOPE)
endfunction()

# The product code of a version in a scope; the winget manifest names it too.
function(korvane_product_code var version scope upgrade_code)
    string(UUID code NAMESPACE ${upgrade_code} NAME "product ${version} ${scope}" TYPE SHA1 UPPER)
    set(${var} ${code} PARENT_SCOPE)
endfunction()

# The files an installer packs, copied from the build into folder.
function(korvane_stage_files folder bin source)
    file(REMOVE_RECURSE ${folder})
    file(MAKE_DIRECTORY ${folder})
    file(COPY ${bin}/korvane.exe ${bin}/korvane.dll ${bin}/korvane_setup.dll
              ${source}/resources/korvane.ico DESTINATION ${folder})
endfunction()

# Gives every file in folder the release's time.
function(korvane_set_file_times folder epoch)
    file(GLOB files ${folder}/*)
    execute_process(COMMAND touch -d @${epoch} ${files} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# Runs a tool with the clock stopped at the release's time, in UTC (a time
# without "@" stands still in faketime; with it, the clock would run on).
function(korvane_run_at epoch folder)
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S" UTC)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
                            ${KORVANE_FAKETIME} -f "${stamp}" ${ARGN}
                    WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# korvane_build_installer(<output .msi> <version> <machine|user> <files folder>
#                         <source tree> <maker> <upgrade code> <epoch>)
function(korvane_build_installer output version scope files source maker upgrade_code epoch)
    korvane_product_code(product ${version} ${scope} ${upgrade_code})
    string(UUID program_component NAMESPACE ${upgrade_code} NAME "component Program ${scope}" TYPE SHA1 UPPER)
    string(UUID library_component NAMESPACE ${upgrade_code} NAME "component Library ${scope}" TYPE SHA1 UPPER)
    string(UUID sign_in_component NAMESPACE ${upgrade_code} NAME "component SignInEntry ${scope}" TYPE SHA1 UPPER)
    get_filename_component(folder ${output} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(REMOVE ${output})
    set(codepage ${files}/_ForceCodepage.idt)
    # The database's code page, so that the Japanese messages are stored.
    file(WRITE ${codepage} "\r\n\r\n932\t_ForceCodepage\r\n")
    # wixl takes files only by names relative to where it runs.
    korvane_run_at(${epoch} ${files}
        ${KORVANE_WIXL} --arch x86 -D Version=${version} -D Maker=${maker}
        -D UpgradeCode=${upgrade_code} -D Scope=${scope} -D ProductCode=${product}
        -D ProgramComponent=${program_component} -D LibraryComponent=${library_component}
        -D SignInComponent=${sign_in_component}
        -D ProgramFile=korvane.exe -D LibraryFile=korvane.dll
        -D SetupActionsFile=korvane_setup.dll -D IconFile=korvane.ico
        -o ${output} ${source}/packaging/korvane.wxs)
    # What wixl cannot say. AUTOSTART and INSTALLDIR are secure, so that they
    # also reach an installation that runs elevated (each ";" escaped to pass
    # through korvane_run_at). An upgrade migrates no
    # feature states (korvane.wxs decides on the start at sign-in itself).
    # The maximum version of the upgrade is inclusive (the same version of
    # another build replaces the installed one; part of the row's key, so the
    # row is written anew). The command file a pad left goes with the folder.
    # The refusals (an older version; Korvane installed in the other scope)
    # in English, or in Japanese on a Japanese Windows.
    if(scope STREQUAL "user")
        set(other_scope_en "Korvane [KORVANEOTHERVERSION] is already installed for all users of this PC, in [KORVANEOTHERFOLDER]. To upgrade it, run korvane-[ProductVersion].msi (the installer for all users). To install Korvane for yourself alone, first uninstall it in Settings > Apps (or Programs and Features in Control Panel).")
        set(other_scope_ja "Korvane [KORVANEOTHERVERSION] はこの PC のすべてのユーザー用に [KORVANEOTHERFOLDER] にインストールされています。更新するには korvane-[ProductVersion].msi (すべてのユーザー用) を実行してください。自分用にだけインストールするには、先に設定の「アプリ」(またはコントロール パネルの「プログラムと機能」) から削除してください。")
    else()
        set(other_scope_en "Korvane [KORVANEOTHERVERSION] is already installed for your account alone, in [KORVANEOTHERFOLDER]. To upgrade it, run korvane-[ProductVersion]-user.msi. To install Korvane for all users, first uninstall it in Settings > Apps (or Programs and Features in Control Panel).")
        set(other_scope_ja "Korvane [KORVANEOTHERVERSION] はこのユーザー用に [KORVANEOTHERFOLDER] にインストールされています。更新するには korvane-[ProductVersion]-user.msi を実行してください。すべてのユーザー用にインストールするには、先に設定の「アプリ」(またはコントロール パネルの「プログラムと機能」) から削除してください。")
    endif()
    korvane_run_at(${epoch} ${files}
        ${KORVANE_MSIBUILD} ${output}
        -i ${codepage}
        -q "UPDATE `Property` SET `Value` = 'AUTOSTART\\;INSTALLDIR\\;WIX_DOWNGRADE_DETECTED\\;WIX_UPGRADE_DETECTED' WHERE `Property` = 'SecureCustomProperties'"
        -q "DELETE FROM `InstallExecuteSequence` WHERE `Action` = 'MigrateFeatureStates'"
        -q "DELETE FROM `InstallUISequence` WHERE `Action` = 'MigrateFeatureStates'"
        -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
        -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{${upgrade_code}}', '${version}', 513, 'WIX_UPGRADE_DETECTED')"
        -q "INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('CommandFile', 'Program', 'KORVANE.SCF', 'INSTALLDIR', 2)"
        -q "DELETE FROM `LaunchCondition` WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'"
        -q "INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES ('NOT WIX_DOWNGRADE_DETECTED OR UserLanguageID = 1041', 'A newer version of Korvane is already installed.')"
        -q "INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES ('NOT WIX_DOWNGRADE_DETECTED OR UserLanguageID <> 1041', '新しいバージョンの Korvane がインストールされています。')"
        -q "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('OtherScopeRefused', 19, '', '${other_scope_en}')"
        -q "INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('OtherScopeRefusedJapanese', 19, '', '${other_scope_ja}')"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('OtherScopeRefused', 'KORVANEOTHERSCOPE AND UserLanguageID <> 1041', 31)"
        -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('OtherScopeRefusedJapanese', 'KORVANEOTHERSCOPE AND UserLanguageID = 1041', 32)")
    # The package code names this database's contents, hashed with the
    # random one wixl wrote replaced.
    korvane_run_at(${epoch} ${files}
        ${KORVANE_MSIBUILD} ${output} -s Korvane ${maker} "Intel\\;1033" "{${product}}")
    file(SHA256 ${output} contents)
    string(UUID package NAMESPACE ${upgrade_code} NAME "package ${contents}" TYPE SHA1 UPPER)
    korvane_run_at(${epoch} ${files}
        ${KORVANE_MSIBUILD} ${output} -s Korvane ${maker} "Intel\\;1033" "{${package}}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    korvane_source_epoch(epoch ${SOURCE})
    set(files ${OUTPUT}.files)
    korvane_stage_files(${files} ${BIN} ${SOURCE})
    korvane_set_file_times(${files} ${epoch})
    korvane_build_installer(${OUTPUT} ${VERSION} ${SCOPE} ${files} ${SOURCE} ${MAKER}
                            ${UPGRADE_CODE} ${epoch})
    file(REMOVE_RECURSE ${files})
endif()
