# Generated session files for the command-line benchmarks, varied over scheme, lifetime,
# blocks, data types, frequencies and customized overhead.
#   source bench/sessions.sh; write_sessions FOLDER COUNT
schemes=("ECC8 Fixed-Length" "ECC8 Var-Length" "ECC16 Fixed-Length" "ECC16 Var-Length"
         "ECC32 Fixed-Length" "ECC32 Var-Length")
sizes=(512 256 128 64 32 16)

# One session file per index, varied over scheme, lifetime, blocks, data types,
# frequencies and customized overhead.
write_session() {
    local i=$1 file=$2
    local scheme=${schemes[$((i % 6))]}
    local life=$((i % 40 + 1))
    local blocks=$((i % 5 + 2)) types=$((i % 6 + 1)) custom=0
    [ $((i % 7)) -eq 0 ] && custom=-1
    {
        printf "<?xml version='1.0'?>\n<!--Current Session Data-->\n"
        printf '<SessionData xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="SessionData.xsd">'
        printf '<Scheme>%s</Scheme><LifeTime>%s.5</LifeTime><BlocksSelected>' "$scheme" "$life"
        for ((b = 0; b < blocks; b++)); do printf '<BlockSize>x10000</BlockSize>'; done
        printf '</BlocksSelected><CusOverheadEn>%s</CusOverheadEn><BlockOverhead>%s</BlockOverhead>' \
            "$custom" $((custom ? 64 : 0))
        for ((t = 0; t < types; t++)); do
            local size=${sizes[$t]}
            # Fixed-length schemes keep one record size for every data type.
            [ $((i % 2)) -eq 0 ] && size=${sizes[0]}
            printf '<DataInfo><DataSize>%s</DataSize><Updates>%s</Updates><Records>8</Records>' \
                "$size" $(((i * 37 + t * 101) % 5000 + 1))
            printf '<Frequency>%s</Frequency><CusOverhead>%s</CusOverhead></DataInfo>' \
                $(((i + t) % 2)) $((custom ? 16 : 0))
        done
        printf '</SessionData>\n'
    } > "$file"
}

write_sessions() {
    local folder=$1 count=$2
    for ((i = 0; i < count; i++)); do
        write_session "$i" "$folder/s$(printf %04d "$i").xml"
    done
}

