# Drives the real gpxtool executable, one group of cases per ctest test:
#   cmake -DGPXTOOL=exe -DRUNNER=emulator-or-empty -DSAMPLE=sample.json
#         -DWORK=scratch-dir -DGROUP=name -P gpxtool_cli_test.cmake
# Files are named relative to WORK, which is the tool's working directory,
# so the same paths serve the native tool and the Windows one under Wine.
cmake_minimum_required(VERSION 3.21)

function(fail)
    string(JOIN "" text ${ARGN})
    message(FATAL_ERROR "${GROUP}: ${text}")
endfunction()

# gpxtool(<expected exit status> args...) sets OUT and ERR, line ends as LF.
function(gpxtool expected)
    execute_process(COMMAND ${RUNNER} ${GPXTOOL} ${ARGN}
        WORKING_DIRECTORY ${WORK}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(REPLACE "\r\n" "\n" out "${out}")
    string(REPLACE "\r\n" "\n" err "${err}")
    if(NOT "${status}" STREQUAL "${expected}")
        fail("gpxtool ${ARGN}: exit status ${status}, expected ${expected}\n"
             "stdout: ${out}\nstderr: ${err}")
    endif()
    set(OUT "${out}" PARENT_SCOPE)
    set(ERR "${err}" PARENT_SCOPE)
endfunction()

function(expect_contains text needle)
    string(FIND "${text}" "${needle}" at)
    if(at EQUAL -1)
        fail("expected to find [${needle}] in:\n${text}")
    endif()
endfunction()

function(expect_lines text count)
    string(REGEX MATCHALL "\n" ends "${text}")
    list(LENGTH ends lines)
    if(NOT lines EQUAL count OR NOT text MATCHES "\n$")
        fail("expected ${count} line(s), got:\n${text}")
    endif()
endfunction()

# A refusal: exit status 1 and one line naming the file and the reason.
function(expect_refusal file reason)
    gpxtool(1 ${ARGN})
    expect_lines("${ERR}" 1)
    expect_contains("${ERR}" "gpxtool: ${file}: ${reason}")
    set(OUT "${OUT}" PARENT_SCOPE)
endfunction()

function(expect_same_files a b)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${a} ${WORK}/${b}
        RESULT_VARIABLE different)
    if(different)
        fail("${a} and ${b} differ")
    endif()
endfunction()

function(expect_size file size)
    file(SIZE ${WORK}/${file} actual)
    if(NOT actual EQUAL size)
        fail("${file} has ${actual} bytes, expected ${size}")
    endif()
endfunction()

function(expect_absent)
    foreach(file ${ARGN})
        if(EXISTS ${WORK}/${file})
            fail("${file} was written")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${SAMPLE} DESTINATION ${WORK})

if(GROUP STREQUAL "round_trip")
    gpxtool(0 import sample.json -o sample.gpx)
    gpxtool(0 export sample.gpx -o again.json)
    # The sample is kept exactly as export writes it.
    expect_same_files(sample.json again.json)
    gpxtool(0 export sample.gpx)
    file(READ ${WORK}/again.json written)
    if(NOT OUT STREQUAL written)
        fail("export to standard output differs from export to a file")
    endif()
    gpxtool(0 import again.json -o again.gpx)
    expect_same_files(sample.gpx again.gpx)

    gpxtool(0 info sample.gpx)
    expect_contains("${OUT}" "File:       sample.gpx (profile file)\n")
    expect_contains("${OUT}" "Name:       Night Raid\n")
    expect_contains("${OUT}" "Resolution: 1920x1080\n")
    expect_contains("${OUT}" "\nM4   Right Button            Single: Right Button\n")
    expect_contains("${OUT}" "\nM12  Build sequence          Multi Layers: Build sequence\n")
    expect_contains("${OUT}" "\nM13  Stop\nM14  Stop Macro\n")
    # A slot type the label refresh does not know leaves the label as it was.
    file(READ ${WORK}/sample.json text)
    string(REPLACE "{\"button\": \"M18\", \"kind\": \"Off\"}"
           "{\"button\": \"M18\", \"kind\": \"Raw\", \"slotType\": \"0x40000000\", \"extra\": [{\"at\": 8, \"hex\": \"FF\"}]}"
           text "${text}")
    file(WRITE ${WORK}/raw.json "${text}")
    gpxtool(0 import raw.json -o raw.gpx)
    gpxtool(0 info raw.gpx)
    expect_contains("${OUT}" "\nM18  (label left as is: slot type 0x40000000)\n")

    string(REGEX MATCHALL "\nM[0-9]+ " buttons "${OUT}")
    list(LENGTH buttons count)
    if(NOT count EQUAL 20)
        fail("info shows ${count} buttons")
    endif()

elseif(GROUP STREQUAL "raw_files")
    gpxtool(0 import sample.json -o sample.gpx)
    gpxtool(0 unpack sample.gpx --image sample.img --summary sample.sum)
    expect_size(sample.img 150560)
    expect_size(sample.sum 924)
    gpxtool(0 pack --image sample.img --summary sample.sum -o packed.gpx)
    expect_same_files(sample.gpx packed.gpx)

    gpxtool(0 package sample.gpx -o sample.pkg)
    expect_size(sample.pkg 151496)
    file(READ ${WORK}/sample.pkg header LIMIT 12 HEX)
    if(NOT header STREQUAL "565152202047505800000100")
        fail("package header ${header}")
    endif()
    gpxtool(0 info sample.pkg)
    expect_contains("${OUT}" "File:       sample.pkg (driver package)\n")
    gpxtool(0 export sample.gpx)
    set(fromProfile "${OUT}")
    gpxtool(0 export sample.pkg)
    if(NOT OUT STREQUAL fromProfile)
        fail("the package exports differently from its profile file")
    endif()
    gpxtool(0 unpack sample.pkg --image package.img --summary package.sum)
    expect_same_files(sample.img package.img)
    expect_same_files(sample.sum package.sum)
    gpxtool(0 package sample.pkg -o again.pkg)
    expect_same_files(sample.pkg again.pkg)

    # The codec on raw files (its blocks are the codec tests'): the sample's
    # image, and an empty block.
    gpxtool(0 compress sample.img -o sample.blk)
    file(SIZE ${WORK}/sample.gpx profileSize)
    math(EXPR blockSize "${profileSize} - 940")
    expect_size(sample.blk ${blockSize})
    gpxtool(0 expand sample.blk -o back.img)
    expect_same_files(sample.img back.img)

    file(WRITE ${WORK}/nothing.blk "")
    gpxtool(0 expand nothing.blk -o nothing.raw)
    expect_size(nothing.raw 0)

elseif(GROUP STREQUAL "refusals")
    gpxtool(0 import sample.json -o sample.gpx)
    gpxtool(0 package sample.gpx -o sample.pkg)

    file(READ ${WORK}/sample.json text)
    string(REPLACE "\"kind\": \"StopKey\"" "\"kind\": \"Turbo\"" text "${text}")
    file(WRITE ${WORK}/bad.json "${text}")
    file(WRITE ${WORK}/keep.gpx "keep")
    expect_refusal(bad.json "/buttons/12/kind: unknown value \"Turbo\"" import bad.json -o keep.gpx)
    file(READ ${WORK}/keep.gpx kept)
    if(NOT kept STREQUAL "keep")
        fail("a refused import replaced its output")
    endif()

    file(WRITE ${WORK}/notes.txt "not a profile\n")
    execute_process(COMMAND head -c 1000 ${WORK}/sample.gpx OUTPUT_FILE ${WORK}/cut.gpx)
    expect_refusal(cut.gpx "file is truncated" export cut.gpx -o cut.json)
    expect_refusal(cut.gpx "file is truncated" unpack cut.gpx --image cut.img --summary cut.sum)
    expect_absent(cut.json cut.img cut.sum)

    gpxtool(1 check sample.gpx cut.gpx missing.gpx notes.txt sample.pkg)
    expect_contains("${OUT}" "sample.gpx: ok (profile file)\n")
    expect_contains("${OUT}" "sample.pkg: ok (driver package)\n")
    expect_lines("${ERR}" 3)
    expect_contains("${ERR}" "gpxtool: cut.gpx: file is truncated\n")
    expect_contains("${ERR}" "gpxtool: missing.gpx: cannot be opened\n")
    expect_contains("${ERR}" "gpxtool: notes.txt: not a Gripdeck profile (wrong signature)\n")

    gpxtool(0 unpack sample.gpx --image sample.img --summary sample.sum)
    expect_refusal(sample.sum "a profile image has 150560 bytes, this file has 924"
                   pack --image sample.sum --summary sample.sum -o packed.gpx)
    expect_absent(packed.gpx)

    file(WRITE ${WORK}/stub.blk "abc")
    expect_refusal(stub.blk "block is shorter than its header" expand stub.blk -o stub.raw)
    expect_absent(stub.raw)

    expect_refusal(nodir/out.json "cannot be written" export sample.gpx -o nodir/out.json)
    file(GLOB leftovers ${WORK}/*.gdtmp)
    if(leftovers)
        fail("temporary files left behind: ${leftovers}")
    endif()

elseif(GROUP STREQUAL "picture")
    gpxtool(0 import sample.json -o sample.gpx)
    gpxtool(0 picture sample.gpx -o night-raid-card.svg)
    file(READ ${WORK}/night-raid-card.svg svg)
    foreach(needle "width=\"260mm\"" "viewBox=\"0 0 2600 1800\"" ">Night Raid</text>"
                   ">Game: Ashen Frontier</text>" ">M1</text>" ">M20</text>" ">Right Button</text>")
        expect_contains("${svg}" "${needle}")
    endforeach()
    gpxtool(0 picture sample.gpx -o night-raid-card.PNG)
    file(READ ${WORK}/night-raid-card.PNG head LIMIT 8 HEX)
    if(NOT head STREQUAL "89504e470d0a1a0a")
        fail("the PNG starts with ${head}")
    endif()

    # Refused inputs leave no picture behind, not even an empty one.
    execute_process(COMMAND head -c 1000 ${WORK}/sample.gpx OUTPUT_FILE ${WORK}/cut.gpx)
    file(WRITE ${WORK}/notes.txt "not a profile\n")
    expect_refusal(cut.gpx "file is truncated" picture cut.gpx -o cut-card.png)
    expect_refusal(notes.txt "not a Gripdeck profile" picture notes.txt -o notes-card.svg)
    expect_refusal(missing.gpx "cannot be opened" picture missing.gpx -o missing-card.svg)
    expect_absent(cut-card.png notes-card.svg missing-card.svg)
    gpxtool(2 picture sample.gpx -o night-raid-card.pdf)
    expect_lines("${ERR}" 1)
    expect_absent(night-raid-card.pdf)
    file(GLOB leftovers ${WORK}/*.gdtmp)
    if(leftovers)
        fail("temporary files left behind: ${leftovers}")
    endif()

elseif(GROUP STREQUAL "usage")
    gpxtool(2)
    expect_contains("${ERR}" "subcommand")
    gpxtool(2 import sample.json)
    expect_contains("${ERR}" "--output")
    gpxtool(2 info one.gpx two.gpx)
    gpxtool(2 unpack sample.gpx --image only.img)
    expect_absent(only.img)

elseif(GROUP STREQUAL "hostile")
    gpxtool(0 import sample.json -o sample.gpx)

    # Outputs are written together or not at all: a refused summary leaves
    # the image as it was.
    file(WRITE ${WORK}/old.img "old")
    file(MAKE_DIRECTORY ${WORK}/adir)
    expect_refusal(adir "is not a regular file"
                   unpack sample.gpx --image old.img --summary adir)
    file(READ ${WORK}/old.img kept)
    if(NOT kept STREQUAL "old")
        fail("a refused unpack replaced its image")
    endif()
    expect_refusal(adir "is not a regular file" export sample.gpx -o adir)

    # A path longer than the system's ANSI file functions take (260): written
    # or refused, no temporary file stays behind.
    string(REPEAT "d" 120 long)
    set(deep ${long}/${long}/${long})
    file(MAKE_DIRECTORY ${WORK}/${deep})
    execute_process(COMMAND ${RUNNER} ${GPXTOOL} export sample.gpx -o ${deep}/out.json
        WORKING_DIRECTORY ${WORK} OUTPUT_QUIET ERROR_QUIET)

    if(NOT RUNNER)
        # A link or a pipe as the output is refused, not written through; a
        # link planted where temporary files once went is never followed.
        file(WRITE ${WORK}/victim.txt "victim")
        file(CREATE_LINK victim.txt ${WORK}/link.json SYMBOLIC)
        expect_refusal(link.json "is not a regular file" export sample.gpx -o link.json)
        execute_process(COMMAND mkfifo ${WORK}/pipe.json)
        expect_refusal(pipe.json "is not a regular file" export sample.gpx -o pipe.json)
        file(CREATE_LINK victim.txt ${WORK}/out.json.gdtmp SYMBOLIC)
        gpxtool(0 export sample.gpx -o out.json)
        file(READ ${WORK}/victim.txt victim)
        if(NOT victim STREQUAL "victim")
            fail("an output was written through a planted link")
        endif()
        file(REMOVE ${WORK}/out.json.gdtmp)
    endif()
    file(GLOB_RECURSE leftovers ${WORK}/*.gdtmp)
    if(leftovers)
        fail("temporary files left behind: ${leftovers}")
    endif()

elseif(GROUP STREQUAL "autoswitch")
    # Windows builds: the rules in the registry, under a program name of the
    # test's own; switching ends off, as it starts.
    gpxtool(0 import sample.json -o sample.gpx)
    gpxtool(0 autoswitch add gdclitest.exe sample.gpx --front)
    gpxtool(0 autoswitch on)
    gpxtool(0 autoswitch list)
    expect_contains("${OUT}" "switching: on\n")
    expect_contains("${OUT}" "sample.gpx (only while in front)\n")
    gpxtool(0 autoswitch remove C:\\Games\\GDCLITEST.EXE)
    expect_refusal(gdclitest.exe "no rule has this name" autoswitch remove gdclitest.exe)
    gpxtool(0 autoswitch off)
    gpxtool(0 autoswitch list)
    expect_contains("${OUT}" "switching: off\n")

    # Names are stored, and printed, as the system resolves them; Wine shows
    # the Linux root as drive Z:.
    if(WORK MATCHES "^[A-Za-z]:")
        set(work "${WORK}")
    else()
        set(work "Z:${WORK}")
    endif()
    string(REPLACE "/" "\\" work "${work}")
    set(folder "${work}\\arcade games")
    set(profile "${work}\\sample.gpx")
    file(MAKE_DIRECTORY "${WORK}/arcade games")
    # (A backslash before the next argument would join the two in CMake's lists.)
    foreach(typed "\\\\?\\${folder}" "${folder}." "${folder}\\./")
        gpxtool(0 autoswitch add "${typed}" sample.gpx)
        if(NOT OUT STREQUAL "${folder}\\ -> ${profile}\n")
            fail("autoswitch add ${typed} stored: ${OUT}")
        endif()
    endforeach()
    gpxtool(0 autoswitch add gdclitest-racer.exe. sample.gpx)
    expect_contains("${OUT}" "gdclitest-racer.exe -> ")
    gpxtool(0 autoswitch remove "${folder}/")
    gpxtool(0 autoswitch remove gdclitest-racer.exe)
    # A folder taken against wherever the program runs is refused.
    expect_refusal("..\\" "a folder needs its full path, such as D:\\Games\\"
                   autoswitch add ../ sample.gpx)
    expect_refusal("arcade games\\" "a folder needs its full path, such as D:\\Games\\"
                   autoswitch add "arcade games/" sample.gpx --front)
    gpxtool(0 autoswitch list)
    if(OUT MATCHES "arcade games|gdclitest-racer|\n\\.\\.")
        fail("rules left behind: ${OUT}")
    endif()

else()
    fail("unknown group")
endif()
