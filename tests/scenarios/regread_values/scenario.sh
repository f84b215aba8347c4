# [RegRead] takes variables from the registry: a value name with commas is
# taken whole, an entry of root and subkey only (or an empty value name)
# reads the default value, the entry is expanded before it is split (the
# subkey from a [Strings] variable) and the registry value after it is
# read, an empty value gives an empty variable, and the reserved name rundll
# is passed over. A missing key, a missing value and a value too long for
# the 520-character buffer each only warn (+1 and a line): the variables
# keep their earlier values and the run ends with warnings (exit 2). The
# values read go into the installed copy's [Strings] and, as variables, into
# [IniWrite].
source "$SCEN_DIR/scenario_state_lib.sh"
package() {
  pkg_inf APP.INF <<'INF'
[Version]
FormKw=TALVEN
[Strings]
MyProgramPath=C:\Scen\App
ScenKey=Software\Scen\Read
MissingKey=kept from [Strings]
[Files]
a.txt=
[RegRead]
Commas=HKCU,Software\Scen\Read,a,b,c
Default1=HKCU,Software\Scen\Read
Default2=HKCU,%ScenKey%,
Refs=HKCU,%ScenKey%,Refs
rundll=HKCU,Software\Scen\Read,a,b,c
MissingKey=HKCU,Software\Scen\NoSuchKey,x
MissingValue=HKCU,Software\Scen\Read,NoSuchValue
TooLong=HKCU,Software\Scen\Read,Long
Empty=hkcu,Software\Scen\Read,Empty
[IniWrite]
1=Vars,Commas,%Commas%,%MyProgramPath%\vars.ini
2=Vars,Default1,%Default1%,%MyProgramPath%\vars.ini
3=Vars,Default2,%Default2%,%MyProgramPath%\vars.ini
4=Vars,Refs,%Refs%,%MyProgramPath%\vars.ini
5=Vars,rundll,%rundll%,%MyProgramPath%\vars.ini
6=Vars,MissingKey,%MissingKey%,%MyProgramPath%\vars.ini
7=Vars,MissingValue,%MissingValue%,%MyProgramPath%\vars.ini
8=Vars,TooLong,%TooLong%,%MyProgramPath%\vars.ini
9=Vars,Empty,[%Empty%],%MyProgramPath%\vars.ini
INF
  pkg_text a.txt "a" "2003-03-21 10:00:00"
}
machine() {
  put_reg 'HKCU\Software\Scen\Read' 'a,b,c' sz 'with commas'
  put_reg 'HKCU\Software\Scen\Read' '' sz 'the default'
  put_reg 'HKCU\Software\Scen\Read' Refs sz '%windir%\refs'
  put_reg 'HKCU\Software\Scen\Read' Long sz "$(printf 'L%.0s' $(seq 521))"
  put_reg 'HKCU\Software\Scen\Read' Empty sz ''
}
SHOW=('C:\Scen\App\LOGFILKW.LOG' 'C:\windows\inf\APP.INF' 'C:\Scen\App\vars.ini')
